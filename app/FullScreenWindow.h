#pragma once

#include <QWidget>

class QScreen;
class QVBoxLayout;

// A frameless window above ordinary windows that covers one whole screen and takes the
// keyboard. It shows the display that the main window lends it while full screen is on.
class FullScreenWindow : public QWidget
{
    Q_OBJECT

public:
    explicit FullScreenWindow(QScreen *screen);

    void setDisplay(QWidget *display);
    // Hands the display back, with no parent.
    QWidget *takeDisplay();

private:
    QVBoxLayout *_layout;
    QWidget *_display = nullptr;
};
