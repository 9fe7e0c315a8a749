#include "ViewerState.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceNotifier.h"
#include "PreferenceStore.h"

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
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        [this](const QString &key) {
            if (key == QLatin1String(CVLDefaultsMarquisTextKey))
                setBanner(PreferenceStore::preferenceMarquisText());
        });
    setBanner(PreferenceStore::preferenceMarquisText());
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
