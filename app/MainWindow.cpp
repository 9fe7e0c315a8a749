// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AppController.h"
#include "DisplayOptions.h"
#include "MervaneTimerAppDelegate.h"
#include "SoundPlayer.h"
#include "ui_MainWindow.h"

#include <QMessageBox>

MainWindow::MainWindow(
    MervaneTimerAppDelegate &delegate, AppController &appController, QWidget *parent)
    : QMainWindow(parent)
    , _ui(std::make_unique<Ui::MainWindow>())
{
    _ui->setupUi(this);
    delegate.setWindow(this);
    delegate.setCountdownView(_ui->countdownView);
    delegate.setMarquisView(_ui->marquisView);
    new DisplayOptions(_ui->display, _ui->progressBand, _ui->nextPhaseView, _ui->timeOfDayView);
    connectActions(delegate, appController);
    delegate.awakeFromNib();
}

MainWindow::~MainWindow() = default;

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        _ui->retranslateUi(this);
    QMainWindow::changeEvent(event);
}

QWidget *MainWindow::display() const
{
    return _ui->display;
}

CountdownView *MainWindow::countdownView() const
{
    return _ui->countdownView;
}

PhaseView *MainWindow::phaseView() const
{
    return _ui->phaseView;
}

void MainWindow::connectActions(MervaneTimerAppDelegate &delegate, AppController &appController)
{
    connect(_ui->pauseAction, &QAction::triggered, &delegate, &MervaneTimerAppDelegate::pauseTimer);
    connect(_ui->continueAction, &QAction::triggered, &delegate,
        &MervaneTimerAppDelegate::continueTimer);
    connect(_ui->pauseOrContinueAction, &QAction::triggered, &delegate,
        &MervaneTimerAppDelegate::pauseOrContinueTimer);
    for (QAction *nudge :
        {_ui->plus10sAction, _ui->minus10sAction, _ui->plus30sAction, _ui->minus30sAction,
            _ui->plus1mAction, _ui->minus1mAction, _ui->plus10mAction, _ui->minus10mAction}) {
        connect(nudge, &QAction::triggered, &delegate,
            [&delegate, nudge] { delegate.nudgeTimer(nudge); });
    }
    connect(_ui->playAction, &QAction::triggered, &delegate, &MervaneTimerAppDelegate::play);
    connect(
        _ui->nextPhaseAction, &QAction::triggered, &delegate, &MervaneTimerAppDelegate::nextPhase);
    connect(_ui->previousPhaseAction, &QAction::triggered, &delegate,
        &MervaneTimerAppDelegate::previousPhase);
    connect(_ui->newGameAction, &QAction::triggered, &delegate, &MervaneTimerAppDelegate::newGame);
    connect(_ui->fullScreenAction, &QAction::triggered, &delegate,
        &MervaneTimerAppDelegate::toggleFullScreen);
    connect(_ui->preferencesAction, &QAction::triggered, &appController,
        [&appController, &delegate] { appController.showPreferencePanel(delegate.clockWindow()); });
    connect(&appController, &AppController::soundCheckRequested, &delegate,
        &MervaneTimerAppDelegate::play);
    const AudioOutput &output = delegate.soundPlayer().output();
    connect(&output, &AudioOutput::sinksChanged, &appController, &AppController::showOutputs);
    appController.showOutputs(output.sinks());
    connect(_ui->quitAction, &QAction::triggered, this, &QWidget::close);
    connect(_ui->aboutAction, &QAction::triggered, this, [&delegate] {
        QMessageBox::about(delegate.clockWindow(), tr("About MervaneTimer"),
            tr("MervaneTimer %1: a countdown clock for the referee of a negotiation board game "
               "tournament.\n\nFree software under the GNU General Public License, version 3 or "
               "(at your option) any later version: you may share and change it under its "
               "terms. It comes with no warranty.")
                .arg(QCoreApplication::applicationVersion()));
    });
}
