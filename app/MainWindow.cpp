#include "MainWindow.h"

#include "AppController.h"
#include "MervaneTimerAppDelegate.h"
#include "SoundPlayer.h"
#include "ui_MainWindow.h"

MainWindow::MainWindow(
    MervaneTimerAppDelegate &delegate, AppController &appController, QWidget *parent)
    : QMainWindow(parent)
    , _ui(std::make_unique<Ui::MainWindow>())
{
    _ui->setupUi(this);
    delegate.setWindow(this);
    delegate.setCountdownView(_ui->countdownView);
    delegate.setMarquisView(_ui->marquisView);
    connectActions(delegate, appController);
    delegate.awakeFromNib();
}

MainWindow::~MainWindow() = default;

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
}
