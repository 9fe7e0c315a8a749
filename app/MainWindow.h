#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}
class AppController;
class MervaneTimerAppDelegate;

// The window of the three texts, laid out in Designer, with every operator command in its
// Clock menu. It connects the delegate's outlets and actions.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(
        MervaneTimerAppDelegate &delegate, AppController &appController, QWidget *parent = nullptr);
    ~MainWindow() override;

    const Ui::MainWindow &ui() const { return *_ui; }

private:
    void connectActions(MervaneTimerAppDelegate &delegate, AppController &appController);

    std::unique_ptr<Ui::MainWindow> _ui;
};
