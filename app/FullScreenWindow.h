// SPDX-License-Identifier: GPL-3.0-or-later
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

signals:
    // The window manager, Alt+F4 or the like asked to close it: the owner leaves full screen,
    // which takes the display back before the window goes.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QVBoxLayout *_layout;
    QWidget *_display = nullptr;
};
