// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhaseOutlook.h"

#include "CountdownTimer.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceNotifier.h"
#include "PreferenceStore.h"
#include "Util.h"

#include <algorithm>
#include <cmath>

namespace {
// Finer than a 4K screen's pixel, coarse enough that most ticks post nothing new.
constexpr double progressSteps = 8192;
} // namespace

PhaseOutlook::PhaseOutlook(const CountdownTimer &timer, QObject *parent)
    : QObject(parent)
    , _timer(timer)
{
    connect(&_timer, &CountdownTimer::secondsLeftChanged, this, &PhaseOutlook::postMovingParts);
    connect(&_timer, &CountdownTimer::phaseChanged, this, &PhaseOutlook::postNextLine);
    connect(&_timer, &CountdownTimer::stateChanged, this, &PhaseOutlook::postNextLine);
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        &PhaseOutlook::readPreferences);
    connect(&_wallCheck, &QTimer::timeout, this, &PhaseOutlook::postNextLine);
    _wallCheck.start(wallCheckMilliseconds);
    readPreferences();
}

double PhaseOutlook::progress(double secondsLeft, double phaseSeconds)
{
    if (phaseSeconds <= 0)
        return 1;
    return std::clamp(1 - secondsLeft / phaseSeconds, 0.0, 1.0);
}

bool PhaseOutlook::isWarning(double secondsLeft, int warningSeconds)
{
    return warningSeconds > 0 && secondsLeft <= warningSeconds;
}

QString PhaseOutlook::nextLine(const CountdownTimer &timer)
{
    // Empty, not null: a null text posts nothing, and the hall would keep the line before.
    if (timer.hasEnded())
        return QStringLiteral("");
    const Phase &phase = timer.phase();
    const int lastYear = timer.lastYear();
    if (lastYear > 0 && phase.year() >= lastYear && phase.isLastOfYear())
        return tr("Last phase of the game");
    Phase next = phase;
    next.increment();
    QString line =
        tr("%1 · %2 min").arg(next.description()).arg(CountdownTimer::phaseMinutes(next));
    if (timer.endOfPlayHasCome())
        line += QStringLiteral(" · ") + tr("Last game-year: %1").arg(phase.year());
    return line;
}

void PhaseOutlook::repost()
{
    _posted.clear();
    postNextLine();
}

void PhaseOutlook::readPreferences()
{
    _warningSeconds = PreferenceStore::warningSeconds();
    postNextLine();
}

void PhaseOutlook::postMovingParts()
{
    const double left = _timer.secondsLeft();
    post({{PROGRESS_KEY,
              std::round(progress(left, _timer.phaseSeconds()) * progressSteps) / progressSteps},
        {WARNING_KEY, !_timer.hasEnded() && isWarning(left, _warningSeconds)}});
}

void PhaseOutlook::postNextLine()
{
    const QString next = nextLine(_timer);
    if (next != _posted.value(NEXT_PHASE_KEY).toString())
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, NEXT_PHASE_KEY, next);
    post({{NEXT_PHASE_KEY, next}, {PHASE_SECONDS_KEY, _timer.phaseSeconds()},
        {WARNING_SECONDS_KEY, _warningSeconds}});
    postMovingParts();
}

// Every field posted goes with all the others, so a listener that joins late has them all.
void PhaseOutlook::post(const QVariantMap &fields)
{
    QVariantMap outlook = _posted;
    outlook.insert(fields);
    if (outlook == _posted)
        return;
    _posted = outlook;
    NotificationCenter::defaultCenter().post(OUTLOOK_NOTIFICATION_NAME, outlook);
}
