// SPDX-License-Identifier: GPL-3.0-or-later
#include "FullScreenWindow.h"

#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

FullScreenWindow::FullScreenWindow(QScreen *screen)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , _layout(new QVBoxLayout(this))
{
    _layout->setContentsMargins(0, 0, 0, 0);
    setFocusPolicy(Qt::StrongFocus);
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
}

void FullScreenWindow::setDisplay(QWidget *display)
{
    _display = display;
    _layout->addWidget(display);
}

QWidget *FullScreenWindow::takeDisplay()
{
    QWidget *display = _display;
    _display = nullptr;
    if (display) {
        _layout->removeWidget(display);
        display->setParent(nullptr);
    }
    return display;
}

void FullScreenWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit closeRequested();
}
