// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountdownTimer.h"

#include "MonotonicClock.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceNotifier.h"
#include "PreferenceStore.h"
#include "Util.h"

#include <QDateTime>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
constexpr double secondsPerMinute = 60.0;
constexpr int fallbackPhaseMinutes = 59;
// A time left counts as a whole second while it lies less than this above a whole number.
constexpr double wholeSecondWindow = 0.1;
// While counting, ticks fall where the time left lies this far past a tenth: clear of where the
// tenths shown round (0.05) and of where a whole second's cue falls (0.1). A tick up to 45 ms
// late then moves neither, and a page working the cues out from the time left hears each on
// the same tick as the hall.
constexpr double tickPhase = 0.045;
} // namespace

CountdownTimer::CountdownTimer(QObject *parent)
    : CountdownTimer(MonotonicClock::seconds, parent)
{
}

CountdownTimer::CountdownTimer(Clock clock, QObject *parent)
    : CountdownTimer(PreferenceStore::preferenceSpringMinutes(), std::move(clock), parent)
{
}

CountdownTimer::CountdownTimer(double minutes, Clock clock, QObject *parent)
    : QObject(parent)
    , _interval(minutes * secondsPerMinute)
    , _clock(std::move(clock))
    , _wallClock(QDateTime::currentMSecsSinceEpoch)
    , _lastUpdate(_clock())
    , _phaseSeconds(_interval)
    , _gameStartedAt(_wallClock())
{
    configureTimers();
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        &CountdownTimer::applyNewLengthIfUntouched);
    connect(this, &CountdownTimer::stateChanged, this, [this] {
        postStateIfChanged(displayTime());
        scheduleNextTick();
    });
}

void CountdownTimer::configureTimers()
{
    _timer.setTimerType(Qt::PreciseTimer);
    _timer.setSingleShot(true);
    connect(&_timer, &QTimer::timeout, this, &CountdownTimer::doUpdate);
    scheduleNextTick();
}

void CountdownTimer::scheduleNextTick()
{
    double wait = COUNTDOWN_TIMER_INTERVAL_DEFAULT;
    if (isRunning())
        wait = untilNextTick(secondsLeft() - (_clock() - _lastUpdate));
    _timer.start(std::chrono::milliseconds(std::lround(wait * 1000)));
}

double CountdownTimer::untilNextTick(double secondsLeft)
{
    const double interval = COUNTDOWN_TIMER_INTERVAL_DEFAULT;
    const double sinceTenth = secondsLeft - tickPhase;
    const double past = sinceTenth - interval * std::floor(sinceTenth / interval);
    // A time left too large for a double to hold its tenths has no tick phase.
    if (!(past >= 0 && past <= interval))
        return interval;
    return past < interval / 2 ? past + interval : past;
}

void CountdownTimer::pause()
{
    // The time since the last tick was played: take it off, or every pause would give the
    // players up to a tick.
    if (isRunning()) {
        const double now = _clock();
        if (secondsLeft() > 0)
            takeOffElapsed(now - _lastUpdate);
        _lastUpdate = now;
        _isPaused = true;
        emit stateChanged();
    }
}

void CountdownTimer::restart()
{
    // Counting starts now, not at the last paused tick: otherwise up to one tick of the
    // pause would be taken off.
    if (!_isPaused || _hasEnded)
        return;
    _lastUpdate = _clock();
    _isPaused = false;
    _phaseTouched = true;
    emit stateChanged();
}

void CountdownTimer::nudge(double seconds)
{
    _phaseTouched = true;
    setSecondsLeft(secondsLeft() + seconds);
    emit stateChanged();
}

void CountdownTimer::setWallClock(WallClock wallClock)
{
    _wallClock = std::move(wallClock);
    _gameStartedAt = _wallClock();
}

void CountdownTimer::newGame()
{
    _hasEnded = false;
    _gameStartedAt = _wallClock();
    startPhase(Phase());
}

void CountdownTimer::nextPhase()
{
    if (_hasEnded)
        return;
    setSecondsLeft(0);
    finishPhase();
}

void CountdownTimer::previousPhase()
{
    Phase before = _phase;
    before.decrement();
    _hasEnded = false;
    startPhase(before);
}

// Paused at the phase's full length; a length set before the first Continue still applies.
void CountdownTimer::startPhase(const Phase &phase)
{
    _isPaused = true;
    _phase = phase;
    _phaseTouched = false;
    beginPhase();
}

// The phase on the calendar starts with its full length, and says so.
void CountdownTimer::beginPhase()
{
    _phaseSeconds = phaseMinutes(_phase) * secondsPerMinute;
    setSecondsLeft(_phaseSeconds);
    emit phaseChanged();
    postPhase(_phase.description());
    emit stateChanged();
}

void CountdownTimer::restore(const Phase &phase, double secondsLeft)
{
    _isPaused = true;
    _hasEnded = false;
    _phase = phase;
    _phaseTouched = true;
    _phaseSeconds = std::max(phaseMinutes(phase) * secondsPerMinute, secondsLeft);
    storeSecondsLeft(secondsLeft);
    emit phaseChanged();
    postPhase(_phase.description());
}

int CountdownTimer::phaseMinutes(const Phase &phase)
{
    if (phase.isInOrderWriting())
        return PreferenceStore::preferenceOrderWritingMinutes();
    if (phase.isSpring())
        return PreferenceStore::preferenceSpringMinutes();
    if (phase.isFall())
        return PreferenceStore::preferenceFallMinutes();
    return fallbackPhaseMinutes;
}

int CountdownTimer::lastYear() const
{
    const int set = PreferenceStore::preferenceLastYear();
    if (!endOfPlayHasCome())
        return set;
    return set > 0 ? std::min(set, _phase.year()) : _phase.year();
}

bool CountdownTimer::endOfPlayHasCome() const
{
    const QTime endTime = PreferenceStore::endOfPlayTime();
    return endTime.isValid() && _wallClock() >= endOfPlay(_gameStartedAt, endTime);
}

qint64 CountdownTimer::endOfPlay(qint64 startedAt, const QTime &endTime)
{
    const QDateTime started = QDateTime::fromMSecsSinceEpoch(startedAt);
    QDateTime end(started.date(), endTime);
    if (end <= started)
        end = end.addDays(1);
    return end.toMSecsSinceEpoch();
}

// A referee who sets the lengths before the first Continue means them for the phase on
// screen; once it has been continued or nudged, it keeps its time.
void CountdownTimer::applyNewLengthIfUntouched()
{
    const double length = phaseMinutes(_phase) * secondsPerMinute;
    if (_phaseTouched || length == secondsLeft())
        return;
    _phaseSeconds = length;
    setSecondsLeft(length);
    // A restart must come back with the new length, not the one it replaced.
    emit stateChanged();
}

void CountdownTimer::setSecondsLeft(double seconds)
{
    storeSecondsLeft(seconds);
    postWholeSecondInWindow(seconds);
}

void CountdownTimer::doUpdate()
{
    const double now = _clock();
    if (isRunning()) {
        if (secondsLeft() > 0)
            takeOffElapsed(now - _lastUpdate);
        else
            finishPhase();
    }
    _lastUpdate = now;
    scheduleNextTick();
}

// The game ends with the last phase of its last game-year, when it has one.
void CountdownTimer::finishPhase()
{
    const int last = lastYear();
    if (last <= 0 || _phase.year() < last || !_phase.isLastOfYear()) {
        startNextSeason();
        return;
    }
    _hasEnded = true;
    _isPaused = true;
    postPhase(phaseText());
    emit stateChanged();
}

QString CountdownTimer::phaseText() const
{
    return _hasEnded ? tr("End of game %1").arg(_phase.year()) : _phase.description();
}

void CountdownTimer::postPhase(const QString &text)
{
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, PHASE_DEFAULT_KEY, text);
}

void CountdownTimer::startNextSeason()
{
    _phase.increment();
    beginPhase();
}

void CountdownTimer::storeSecondsLeft(double seconds)
{
    _interval = seconds;
    emit secondsLeftChanged();
    emit displayTimeChanged();
    // Formatted once: this runs on every tick.
    const QString time = displayTime();
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, COUNTDOWN_DEFAULT_KEY, time);
    postStateIfChanged(time);
}

void CountdownTimer::postStateIfChanged(const QString &time)
{
    if (time == _postedTime && isRunning() == _postedRunning)
        return;
    _postedTime = time;
    _postedRunning = isRunning();
    NotificationCenter::defaultCenter().post(CLOCK_STATE_NOTIFICATION_NAME,
        {{SECONDS_KEY, secondsLeft()}, {DISPLAY_TIME_KEY, time}, {RUNNING_KEY, isRunning()}});
}

void CountdownTimer::takeOffElapsed(double elapsed)
{
    const double before = secondsLeft();
    storeSecondsLeft(before - elapsed);
    postWholeSecondsPassed(before, secondsLeft());
}

// A time set directly (a nudge, a phase start) is a whole second when it lies just above one.
void CountdownTimer::postWholeSecondInWindow(double seconds)
{
    if (seconds - std::floor(seconds) < wholeSecondWindow)
        postWholeSecond(Util::saturatedInt(std::round(seconds)));
}

// A tick announces the whole second N when it takes the time left from N + 0.1 or above to
// below it, so every second is announced exactly once however the ticks fall. When one tick
// passes several (a stall, a resume from suspend) only the last of them still matters, but
// the end of the phase matters most: a tick that runs past zero announces zero.
void CountdownTimer::postWholeSecondsPassed(double before, double after)
{
    const double lowestPassed = std::floor(after - wholeSecondWindow) + 1;
    if (lowestPassed + wholeSecondWindow > before)
        return;
    const bool ranOut = lowestPassed < 0 && wholeSecondWindow <= before;
    postWholeSecond(ranOut ? 0 : Util::saturatedInt(lowestPassed));
}

void CountdownTimer::postWholeSecond(int seconds)
{
    Util::postNotification(SOUND_PLAYER_NOTIFICATION_NAME, SECONDS_KEY, QString::number(seconds));
}

QString CountdownTimer::displayTime() const
{
    return displayTime(secondsLeft());
}

QString CountdownTimer::displayTime(double secondsLeft)
{
    const double minutes = std::trunc(std::floor(secondsLeft) / secondsPerMinute);
    if (minutes > 0) {
        const int shownMinutes = Util::saturatedInt(minutes);
        const double seconds = std::floor(secondsLeft - secondsPerMinute * shownMinutes);
        const int shownSeconds = std::clamp(Util::saturatedInt(seconds), 0, 59);
        return QString::asprintf("%d:%02d", shownMinutes, shownSeconds);
    }
    // Below zero the phase is over, however far below: no minutes are taken off.
    return QString::asprintf("0:%04.1f", std::max(0.0, secondsLeft));
}

QString CountdownTimer::description() const
{
    return QStringLiteral("%1%2--> %3")
        .arg(isPaused() ? QStringLiteral("PAUSED ") : QString(), _phase.description(),
            displayTime());
}
