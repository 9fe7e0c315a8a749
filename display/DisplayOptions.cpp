// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayOptions.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceNotifier.h"
#include "PreferenceStore.h"
#include "ProgressBand.h"

#include <QEvent>
#include <QWidget>

DisplayOptions::DisplayOptions(
    QWidget *display, ProgressBand *band, QWidget *nextPhase, QWidget *timeOfDay)
    : QObject(display)
    , _display(display)
    , _band(band)
    , _nextPhase(nextPhase)
    , _timeOfDay(timeOfDay)
    , _usual(display->palette())
{
    NotificationCenter::defaultCenter().addObserver(this, OUTLOOK_NOTIFICATION_NAME,
        [this](const QVariantMap &outlook) { setWarning(outlook.value(WARNING_KEY).toBool()); });
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        &DisplayOptions::applyPreferences);
    _display->installEventFilter(this);
    applyPreferences();
}

bool DisplayOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == _display && event->type() == QEvent::Resize)
        _band->setFixedHeight(std::max(leastBandPixels, _display->height() / bandShare));
    return QObject::eventFilter(watched, event);
}

void DisplayOptions::applyPreferences()
{
    _band->setVisible(PreferenceStore::intPreference(CVLDisplayProgressKey) != 0);
    _nextPhase->setVisible(PreferenceStore::intPreference(CVLDisplayNextPhaseKey) != 0);
    _timeOfDay->setVisible(PreferenceStore::intPreference(CVLDisplayTimeOfDayKey) != 0);
}

void DisplayOptions::setWarning(bool warning)
{
    if (warning == _warning)
        return;
    _warning = warning;
    QPalette palette = _usual;
    if (warning) {
        for (const auto role : {QPalette::Window, QPalette::Base})
            palette.setColor(role, QColor(warningGround));
        palette.setColor(QPalette::WindowText, QColor(warningText));
    }
    _display->setPalette(palette);
    _band->setColor(warning ? QColor(warningText) : _usual.color(QPalette::Highlight));
}
