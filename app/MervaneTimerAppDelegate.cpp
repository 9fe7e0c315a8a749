// SPDX-License-Identifier: GPL-3.0-or-later
#include "MervaneTimerAppDelegate.h"

#include "CountdownView.h"
#include "FullScreenWindow.h"
#include "GameRecorder.h"
#include "NotificationNames.h"
#include "PhaseOutlook.h"
#include "SoundPlayer.h"
#include "Util.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QScreen>

namespace {

// The title as shown, without the ampersands that mark its mnemonic ("&&" is a literal &).
QString withoutMnemonics(const QString &title)
{
    QString shown;
    for (int i = 0; i < title.size(); ++i) {
        if (title.at(i) == QLatin1Char('&') && ++i == title.size())
            break;
        shown.append(title.at(i));
    }
    return shown;
}

void postText(const ResizableTextView *view, const QString &text)
{
    // Without a view there is no key to post under, and a post without text says nothing.
    if (view && !text.isNull())
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, view->key(), text);
}

// A game begins on the same wall clock that the recorder keeps it by.
std::unique_ptr<CountdownTimer> makeTimer(
    CountdownTimer::Clock clock, const CountdownTimer::WallClock &wallClock)
{
    auto timer = std::make_unique<CountdownTimer>(std::move(clock));
    timer->setWallClock(wallClock);
    return timer;
}
} // namespace

MervaneTimerAppDelegate::MervaneTimerAppDelegate(
    CountdownTimer::Clock clock, WallClock wallClock, QObject *parent)
    : QObject(parent)
    , _timer(makeTimer(std::move(clock), wallClock))
    , _outlook(std::make_unique<PhaseOutlook>(*_timer))
    , _soundPlayer(std::make_unique<SoundPlayer>())
    , _recorder(std::make_unique<GameRecorder>(
          *_timer, GameStateFile::besidePreferences(), std::move(wallClock)))
    , _downMilliseconds(_recorder->resume())
{
}

MervaneTimerAppDelegate::~MervaneTimerAppDelegate() = default;

void MervaneTimerAppDelegate::awakeFromNib()
{
    if (_window)
        _window->installEventFilter(this);
    showDowntime();
    showPhase();
    _outlook->repost();
}

QString MervaneTimerAppDelegate::phaseText() const
{
    if (_downMilliseconds < 0)
        return _timer->phaseText();
    const qint64 seconds = _downMilliseconds / 1000;
    const QString down = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600)
                             .arg(seconds / 60 % 60, 2, 10, QChar('0'))
                             .arg(seconds % 60, 2, 10, QChar('0'));
    return tr("%1 - resumed, clock was down %2").arg(_timer->phaseText(), down);
}

void MervaneTimerAppDelegate::showDowntime()
{
    if (_downMilliseconds >= 0)
        Util::postNotification(
            RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, COUNTDOWN_DEFAULT_KEY, _timer->displayTime());
}

// In the language in force, which the views' first texts are not.
void MervaneTimerAppDelegate::showPhase()
{
    Util::postNotification(
        RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, PHASE_DEFAULT_KEY, phaseText());
}

void MervaneTimerAppDelegate::clearDowntime()
{
    if (_downMilliseconds < 0)
        return;
    _downMilliseconds = -1;
    showPhase();
}

bool MervaneTimerAppDelegate::eventFilter(QObject *watched, QEvent *event)
{
    // Test the event first: a window being destroyed is no longer a QMainWindow.
    if (event->type() == QEvent::Close && watched == _window)
        QCoreApplication::exit(0);
    if (event->type() == QEvent::LanguageChange && watched == _window) {
        showPhase();
        _outlook->repost();
    }
    return QObject::eventFilter(watched, event);
}

double MervaneTimerAppDelegate::nudgeAmount(const QString &title)
{
    const QString shown = withoutMnemonics(title);
    double seconds = 60;
    if (Util::contains(shown, QStringLiteral("30s")))
        seconds = 30;
    else if (Util::contains(shown, QStringLiteral("10m")))
        seconds = 600;
    else if (Util::contains(shown, QStringLiteral("1m")))
        seconds = 60;
    else if (Util::contains(shown, QStringLiteral("10s")))
        seconds = 10;
    return Util::contains(shown, QStringLiteral("-")) ? -seconds : seconds;
}

void MervaneTimerAppDelegate::pauseTimer()
{
    _timer->pause();
}

void MervaneTimerAppDelegate::continueTimer()
{
    clearDowntime();
    _timer->restart();
}

void MervaneTimerAppDelegate::pauseOrContinueTimer()
{
    if (_timer->isPaused())
        continueTimer();
    else
        _timer->pause();
}

void MervaneTimerAppDelegate::nextPhase()
{
    clearDowntime();
    _timer->nextPhase();
}

void MervaneTimerAppDelegate::previousPhase()
{
    clearDowntime();
    _timer->previousPhase();
}

void MervaneTimerAppDelegate::newGame()
{
    QMessageBox ask(QMessageBox::Question, tr("New Game"),
        tr("Start a new game at Spring 1901? The game on the clock ends."),
        QMessageBox::Yes | QMessageBox::Cancel, clockWindow());
    ask.setDefaultButton(QMessageBox::Yes);
    ask.setEscapeButton(QMessageBox::Cancel);
    if (ask.exec() != QMessageBox::Yes)
        return;
    clearDowntime();
    _timer->newGame();
}

void MervaneTimerAppDelegate::nudgeTimer(const QAction *sender)
{
    _timer->nudge(nudgeAmount(sender ? sender->text() : QString()));
}

void MervaneTimerAppDelegate::play()
{
    _soundPlayer->play(0);
}

void MervaneTimerAppDelegate::setMarquisText(const QString &text)
{
    _marquisText = text;
    postText(_marquisView, text);
    emit marquisTextChanged();
}

void MervaneTimerAppDelegate::setDisplayTime(const QString &text)
{
    postText(_countdownView, text);
    _displayTime = text;
    emit displayTimeChanged();
}

void MervaneTimerAppDelegate::toggleFullScreen()
{
    if (_fullScreenWindow) {
        turnOffFullScreen(_oldFrame);
        return;
    }
    _oldFrame = _window ? _window->geometry() : QRect();
    turnOnFullScreen();
}

void MervaneTimerAppDelegate::turnOnFullScreen()
{
    if (_fullScreenWindow) {
        // Already on: the display is there; just bring it forward.
        _fullScreenWindow->raise();
        _fullScreenWindow->activateWindow();
        return;
    }
    if (!_window)
        return;
    _fullScreenWindow = std::make_unique<FullScreenWindow>(_window->screen());
    connect(_fullScreenWindow.get(), &FullScreenWindow::closeRequested, this,
        &MervaneTimerAppDelegate::toggleFullScreen);
    // The main window's commands, shortcuts included, work in full screen too.
    _fullScreenWindow->addActions(_window->findChildren<QAction *>());
    auto *leave = new QAction(_fullScreenWindow.get());
    leave->setShortcut(Qt::Key_Escape);
    connect(leave, &QAction::triggered, this, &MervaneTimerAppDelegate::toggleFullScreen);
    _fullScreenWindow->addAction(leave);
    _fullScreenWindow->setDisplay(_window->takeCentralWidget());
    _fullScreenWindow->setWindowTitle(_window->windowTitle());
    _fullScreenWindow->showFullScreen();
    _fullScreenWindow->raise();
    _fullScreenWindow->activateWindow();
}

void MervaneTimerAppDelegate::turnOffFullScreen(const QRect &frame)
{
    if (!_fullScreenWindow || !_window)
        return;
    QWidget *display = _fullScreenWindow->takeDisplay();
    _window->setCentralWidget(display);
    display->show();
    _window->show();
    _window->raise();
    _window->activateWindow();
    _window->setGeometry(frame);
    // Freed once the event that asked for this (a key press in it, a close request) is done.
    _fullScreenWindow->hide();
    _fullScreenWindow.release()->deleteLater();
}

QWidget *MervaneTimerAppDelegate::clockWindow() const
{
    if (_fullScreenWindow)
        return _fullScreenWindow.get();
    return _window;
}
