#include "ViewerLink.h"

#include "AddressOverlay.h"
#include "AppController.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "MonotonicClock.h"
#include "QrCode.h"
#include "ui_MainWindow.h"

#include <cmath>

ViewerLink::ViewerLink(MervaneTimerAppDelegate &delegate, MainWindow &window,
    AppController &appController, QObject *parent)
    : QObject(parent)
    , _window(window)
    , _service(_state, [] { return std::llround(MonotonicClock::seconds() * 1000); })
    , _overlay(new AddressOverlay(window.ui().display))
{
    // The clock announces only changes; what it shows now is taken once, here.
    const CountdownTimer &timer = delegate.timer();
    _state.setClock(timer.secondsLeft(), timer.displayTime(), timer.isRunning());
    _state.setPhase(window.ui().phaseView->text());
    connect(
        &_service, &ViewerService::statusChanged, &appController, &AppController::showViewerStatus);
    connect(&_service, &ViewerService::commandReceived, this, &ViewerLink::runCommand);
    connect(&appController, &AppController::remoteCommandsRestartRequested, &_service,
        &ViewerService::restartCommands);
    connect(window.ui().playAction, &QAction::triggered, this, [this] { _state.playCue(0); });
    connect(
        window.ui().showViewerAddressAction, &QAction::triggered, this, &ViewerLink::toggleAddress);
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

// A remote command is the operator's own command, run through the same action.
void ViewerLink::runCommand(const QString &command)
{
    const Ui::MainWindow &ui = _window.ui();
    const QHash<QString, QAction *> actions = {{QStringLiteral("pause"), ui.pauseAction},
        {QStringLiteral("continue"), ui.continueAction},
        {QStringLiteral("plus1m"), ui.plus1mAction}, {QStringLiteral("minus1m"), ui.minus1mAction},
        {QStringLiteral("plus10s"), ui.plus10sAction},
        {QStringLiteral("minus10s"), ui.minus10sAction},
        {QStringLiteral("nextPhase"), ui.nextPhaseAction}};
    if (QAction *action = actions.value(command))
        action->trigger();
}
