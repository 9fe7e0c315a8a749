// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppController.h"

#include "PreferenceController.h"

AppController::AppController(QObject *parent)
    : QObject(parent)
{
}

AppController::~AppController() = default;

void AppController::showPreferencePanel(QWidget *clockWindow)
{
    if (!_preferenceController) {
        _preferenceController = std::make_unique<PreferenceController>();
        connect(_preferenceController.get(), &PreferenceController::soundCheckRequested, this,
            &AppController::soundCheckRequested);
        connect(_preferenceController.get(), &PreferenceController::remoteCommandsRestartRequested,
            this, &AppController::remoteCommandsRestartRequested);
        _preferenceController->showViewerStatus(_viewerStatus, _commandsStopped);
        _preferenceController->showOutputs(_outputs);
    }
    _preferenceController->showWindow(clockWindow);
}

void AppController::showViewerStatus(const QString &status, bool commandsStopped)
{
    _viewerStatus = status;
    _commandsStopped = commandsStopped;
    if (_preferenceController)
        _preferenceController->showViewerStatus(status, commandsStopped);
}

void AppController::showOutputs(const QList<QPair<QString, QString>> &outputs)
{
    _outputs = outputs;
    if (_preferenceController)
        _preferenceController->showOutputs(outputs);
}
