// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerState.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceNotifier.h"
#include "PreferenceStore.h"
#include "Translations.h"
#include "ViewerServer.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <QLocale>

ViewerState::ViewerState(WallClock wallClock, QObject *parent)
    : QObject(parent)
    , _wallClock(std::move(wallClock))
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, CLOCK_STATE_NOTIFICATION_NAME, [this](const QVariantMap &info) {
        setClock(info.value(SECONDS_KEY).toDouble(), info.value(DISPLAY_TIME_KEY).toString(),
            info.value(RUNNING_KEY).toBool());
    });
    center.addObserver(
        this, RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, [this](const QVariantMap &info) {
            const auto phase = info.constFind(PHASE_DEFAULT_KEY);
            if (phase != info.constEnd())
                setPhase(phase->toString());
        });
    center.addObserver(this, OUTLOOK_NOTIFICATION_NAME, [this](const QVariantMap &outlook) {
        update({{QStringLiteral("next"), outlook.value(NEXT_PHASE_KEY).toString()},
            {QStringLiteral("length"), outlook.value(PHASE_SECONDS_KEY).toDouble()},
            {QStringLiteral("warnAt"), outlook.value(WARNING_SECONDS_KEY).toInt()}});
    });
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        [this](const QString &key) {
            if (key == QLatin1String(CVLDefaultsMarquisTextKey))
                setBanner(PreferenceStore::preferenceMarquisText());
            showOptions();
            showTexts();
        });
    setBanner(PreferenceStore::preferenceMarquisText());
    showOptions();
    showTexts();
}

// The page's own texts and its command buttons, in the hall's language whatever the phone's
// browser prefers: the room reads one clock.
void ViewerState::showTexts()
{
    QJsonArray buttons;
    for (const ViewerServer::Command &command : ViewerServer::commands) {
        buttons.append(QJsonArray{QLatin1String(command.name),
            QCoreApplication::translate("ViewerServer", command.label)});
    }
    update(
        {{QStringLiteral("lang"), Translations::current()}, {QStringLiteral("commands"), buttons},
            {QStringLiteral("texts"),
                QJsonObject{{QStringLiteral("lost"), tr("connection lost")},
                    {QStringLiteral("control"), tr("Control")}, {QStringLiteral("pin"), tr("PIN")},
                    {QStringLiteral("pinLabel"), tr("Control PIN")},
                    {QStringLiteral("soundOn"), tr("Sound on")},
                    {QStringLiteral("soundOff"), tr("Sound off")}}}});
}

// What the hall shows besides its texts, and its clock's form, so every page shows the same.
void ViewerState::showOptions()
{
    const auto on = [](const char *key) { return PreferenceStore::intPreference(key) != 0; };
    const QString hallTime = QLocale::system().timeFormat(QLocale::ShortFormat);
    update({{QStringLiteral("show"),
                QJsonObject{{QStringLiteral("band"), on(CVLDisplayProgressKey)},
                    {QStringLiteral("next"), on(CVLDisplayNextPhaseKey)},
                    {QStringLiteral("timeOfDay"), on(CVLDisplayTimeOfDayKey)}}},
        {QStringLiteral("clock24"), !hallTime.contains(QLatin1String("AP"), Qt::CaseInsensitive)}});
}

void ViewerState::setClock(double secondsLeft, const QString &displayTime, bool running)
{
    update({{QStringLiteral("seconds"), secondsLeft}, {QStringLiteral("time"), displayTime},
        {QStringLiteral("running"), running}, {QStringLiteral("at"), double(_wallClock())}});
}

void ViewerState::setPhase(const QString &phase)
{
    update({{QStringLiteral("phase"), phase}});
}

void ViewerState::setBanner(const QString &banner)
{
    update({{QStringLiteral("banner"), banner}});
}

// Only what differs goes out; a post that changes nothing sends nothing.
void ViewerState::update(const QJsonObject &fields)
{
    QJsonObject changes;
    for (auto field = fields.constBegin(); field != fields.constEnd(); ++field) {
        if (_state.value(field.key()) != field.value())
            changes.insert(field.key(), field.value());
    }
    if (changes.isEmpty())
        return;
    for (auto change = changes.constBegin(); change != changes.constEnd(); ++change)
        _state.insert(change.key(), change.value());
    emit changed(changes);
}
