// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewerService.h"
#include "ViewerState.h"

#include <QObject>
#include <QPointer>

class AddressOverlay;
class AppController;
class MainWindow;
class MervaneTimerAppDelegate;

// Puts the clock on the viewers' screens: keeps the viewer state, runs the server as the
// preferences say, turns remote commands into the main window's own commands, and shows
// the viewer address on the display when the operator asks.
class ViewerLink : public QObject
{
    Q_OBJECT

public:
    ViewerLink(MervaneTimerAppDelegate &delegate, MainWindow &window, AppController &appController,
        QObject *parent = nullptr);
    ~ViewerLink() override;

    ViewerService &service() { return _service; }

    // The address and its QR code over the display for 30 s; pressed again, hidden.
    void toggleAddress();

private:
    void runCommand(const QString &command);

    MainWindow &_window;
    ViewerState _state;
    ViewerService _service;
    QPointer<AddressOverlay> _overlay;
};
