// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerLink.h"

#include "AddressOverlay.h"
#include "AppController.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "MonotonicClock.h"
#include "PhaseOutlook.h"
#include "QrCode.h"
#include "ViewerServer.h"

#include <QAction>

#include <cmath>

ViewerLink::ViewerLink(MervaneTimerAppDelegate &delegate, MainWindow &window,
    AppController &appController, QObject *parent)
    : QObject(parent)
    , _window(window)
    , _service(_state, [] { return std::llround(MonotonicClock::seconds() * 1000); })
    , _overlay(new AddressOverlay(window.display()))
{
    // The clock announces only changes; what it shows now is taken once, here.
    const CountdownTimer &timer = delegate.timer();
    _state.setClock(timer.secondsLeft(), timer.displayTime(), timer.isRunning());
    _state.setPhase(delegate.phaseText());
    delegate.outlook().repost();
    connect(
        &_service, &ViewerService::statusChanged, &appController, &AppController::showViewerStatus);
    connect(&_service, &ViewerService::commandReceived, this, &ViewerLink::runCommand);
    connect(&appController, &AppController::remoteCommandsRestartRequested, &_service,
        &ViewerService::restartCommands);
    connect(window.findChild<QAction *>(QStringLiteral("playAction")), &QAction::triggered, this,
        [this] { _state.playCue(0); });
    connect(window.findChild<QAction *>(QStringLiteral("showViewerAddressAction")),
        &QAction::triggered, this, &ViewerLink::toggleAddress);
    _service.applyPreferences();
}

ViewerLink::~ViewerLink() = default;

void ViewerLink::toggleAddress()
{
    if (!_overlay)
        return;
    if (_overlay->isVisible()) {
        _overlay->hide();
        return;
    }
    const QString address = _service.address();
    if (address.isEmpty())
        _overlay->showAddress(_service.status(), QImage());
    else
        _overlay->showAddress(address, QrCode::image(address));
}

// A remote command is the operator's own command, run through the action of its name.
void ViewerLink::runCommand(const QString &command)
{
    if (!ViewerServer::isCommand(command))
        return;
    if (auto *action = _window.findChild<QAction *>(command + QStringLiteral("Action")))
        action->trigger();
}
