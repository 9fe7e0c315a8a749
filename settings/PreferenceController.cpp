#include "PreferenceController.h"

#include <QSettings>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

QVariantMap &registeredDefaults()
{
    static QVariantMap defaults;
    return defaults;
}

QString &chosenStorePath()
{
    static QString path;
    return path;
}

void ensureInitialized()
{
    static const bool initialized = (PreferenceController::initialize(), true);
    Q_UNUSED(initialized);
}

int saturated(qlonglong value)
{
    return static_cast<int>(std::clamp<qlonglong>(
        value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Reads a stored value the way an integer read of the defaults would: numbers, booleans and
// numeric text. Anything else (a hand-edited "ten", say) is no value at all.
std::optional<int> readInt(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return 1;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return 0;
    bool ok = false;
    const qlonglong whole = text.toLongLong(&ok);
    if (ok)
        return saturated(whole);
    const double real = text.toDouble(&ok);
    if (ok && std::isfinite(real))
        return saturated(static_cast<qlonglong>(std::clamp(real, -1e18, 1e18)));
    return std::nullopt;
}

} // namespace

void PreferenceController::initialize()
{
    QVariantMap defaults;
    defaults.insert(CVLDefaultsUseOrderWritingKey, false);
    defaults.insert(CVLDefaultsSpringMinutesKey, 10);
    defaults.insert(CVLDefaultsFallMinutesKey, 10);
    defaults.insert(CVLDefaultsOrderWritingMinutesKey, 1);
    defaults.insert(CVLDefaultsMarquisTextKey,
        QString::fromUtf8("$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $"));
    registeredDefaults().insert(defaults);
}

QString PreferenceController::storePath()
{
    if (!chosenStorePath().isEmpty())
        return chosenStorePath();
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvelworks"),
        QStringLiteral("MervaneTimer"))
        .fileName();
}

void PreferenceController::setStorePath(const QString &path)
{
    chosenStorePath() = path;
}

int PreferenceController::intPreference(const QString &key)
{
    if (const auto value = readInt(stored(key)))
        return *value;
    return readInt(registeredDefaults().value(key)).value_or(0);
}

bool PreferenceController::setIntPreference(const QString &key, int value)
{
    return store(key, value);
}

int PreferenceController::preferenceSpringMinutes()
{
    return intPreference(CVLDefaultsSpringMinutesKey);
}

bool PreferenceController::setPreferenceSpringMinutes(int minutes)
{
    return setIntPreference(CVLDefaultsSpringMinutesKey, minutes);
}

int PreferenceController::preferenceFallMinutes()
{
    return intPreference(CVLDefaultsFallMinutesKey);
}

bool PreferenceController::setPreferenceFallMinutes(int minutes)
{
    return setIntPreference(CVLDefaultsFallMinutesKey, minutes);
}

int PreferenceController::preferenceOrderWritingMinutes()
{
    return intPreference(CVLDefaultsOrderWritingMinutesKey);
}

bool PreferenceController::setPreferenceOrderWritingMinutes(int minutes)
{
    return setIntPreference(CVLDefaultsOrderWritingMinutesKey, minutes);
}

bool PreferenceController::preferenceUseOrderWriting()
{
    return intPreference(CVLDefaultsUseOrderWritingKey) != 0;
}

bool PreferenceController::setPreferenceUseOrderWriting(bool useOrderWriting)
{
    return setIntPreference(CVLDefaultsUseOrderWritingKey, useOrderWriting ? 1 : 0);
}

bool PreferenceController::preferenceIsDropDead()
{
    return !preferenceUseOrderWriting();
}

bool PreferenceController::setPreferenceIsDropDead(bool isDropDead)
{
    return setIntPreference(CVLDefaultsUseOrderWritingKey, isDropDead ? 0 : 1);
}

QString PreferenceController::preferenceMarquisText()
{
    QVariant text = stored(CVLDefaultsMarquisTextKey);
    if (!text.isValid())
        text = registeredDefaults().value(CVLDefaultsMarquisTextKey);
    if (!text.isValid())
        return QString();
    // An empty stored text is a text, not an absent one.
    const QString result = text.toString();
    return result.isNull() ? QStringLiteral("") : result;
}

bool PreferenceController::setPreferenceMarquisText(const QString &text)
{
    return store(CVLDefaultsMarquisTextKey, text);
}

QVariant PreferenceController::stored(const QString &key)
{
    ensureInitialized();
    return QSettings(storePath(), QSettings::IniFormat).value(key);
}

bool PreferenceController::store(const QString &key, const QVariant &value)
{
    ensureInitialized();
    QSettings settings(storePath(), QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
