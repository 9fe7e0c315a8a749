#include "NotificationLog.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"

NotificationLog::NotificationLog()
{
    const auto record = [this](const QVariantMap &userInfo) {
        for (auto it = userInfo.begin(); it != userInfo.end(); ++it)
            append(it.key() + QLatin1Char('=') + it.value().toString());
    };
    NotificationCenter::defaultCenter().addObserver(
        this, RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, record);
    NotificationCenter::defaultCenter().addObserver(this, SOUND_PLAYER_NOTIFICATION_NAME, record);
}

QStringList NotificationLog::valuesFor(const QString &key) const
{
    QStringList values;
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : _lines) {
        if (line.startsWith(prefix))
            values.append(line.mid(prefix.size()));
    }
    return values;
}
