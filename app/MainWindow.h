// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}
class AppController;
class CountdownView;
class MervaneTimerAppDelegate;
class PhaseView;

// The window of the three texts, laid out in Designer, with every operator command in its
// Clock menu. It connects the delegate's outlets and actions.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(
        MervaneTimerAppDelegate &delegate, AppController &appController, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The area the texts fill, and two of them. Its actions are found by object name.
    QWidget *display() const;
    CountdownView *countdownView() const;
    PhaseView *phaseView() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void connectActions(MervaneTimerAppDelegate &delegate, AppController &appController);

    std::unique_ptr<Ui::MainWindow> _ui;
};
