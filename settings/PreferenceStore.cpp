// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreferenceStore.h"

#include "PreferenceNotifier.h"
#include "StoreFile.h"

#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

// Everything the store holds in memory, in one place.
struct StoreState
{
    QVariantMap registeredDefaults;
    // Values whose write failed: they stay in force for this run, and go to the file with
    // the next write that succeeds.
    QVariantMap unsaved;
    QString chosenPath;
    StoreFile file;
    QString reportedBanner;
    // Why the last save failed, kept apart from the file's state: a listener that reads the
    // preferences as it hears of the change must not wipe the reason before it is shown.
    QString saveProblem;
};

StoreState &state()
{
    static StoreState held;
    return held;
}

void ensureInitialized()
{
    static const bool initialized = (PreferenceStore::initialize(), true);
    Q_UNUSED(initialized);
}

// The file in use, opened afresh (and tidied of what killed saves left) whenever the store
// moves to another path.
StoreFile &storeFile()
{
    StoreFile &file = state().file;
    const QString path = PreferenceStore::storePath();
    if (file.path() != path) {
        file = StoreFile(path, {QLatin1String(CVLViewerPinKey)});
        file.removeLeftovers();
    }
    return file;
}

// Cuts a text at the banner's limit without splitting a character in two.
QString withinBannerLimit(const QString &text)
{
    qsizetype length = PreferenceStore::maxMarquisTextLength;
    if (text.size() <= length)
        return text;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

void reportCutBanner(const QString &text)
{
    QString &reported = state().reportedBanner;
    if (text == reported)
        return;
    reported = text;
    std::fprintf(stderr,
        "MervaneTimer: the banner text has %lld characters; showing the first %d\n",
        static_cast<long long>(text.size()), PreferenceStore::maxMarquisTextLength);
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

void PreferenceStore::initialize()
{
    QVariantMap defaults;
    defaults.insert(CVLDefaultsUseOrderWritingKey, false);
    defaults.insert(CVLDefaultsSpringMinutesKey, 10);
    defaults.insert(CVLDefaultsFallMinutesKey, 10);
    defaults.insert(CVLDefaultsOrderWritingMinutesKey, 1);
    defaults.insert(CVLDefaultsLastYearKey, 0);
    defaults.insert(CVLDefaultsEndByClockKey, 0);
    defaults.insert(CVLDefaultsEndTimeKey, QStringLiteral("18:30"));
    defaults.insert(CVLDisplayProgressKey, 1);
    defaults.insert(CVLDisplayWarningKey, 1);
    defaults.insert(CVLDisplayWarningMinutesKey, 2);
    defaults.insert(CVLDisplayNextPhaseKey, 1);
    defaults.insert(CVLDisplayTimeOfDayKey, 0);
    defaults.insert(CVLDisplayLanguageKey, QString());
    defaults.insert(CVLAudioDeviceKey, QString());
    defaults.insert(CVLAudioVolumeKey, 100);
    defaults.insert(CVLViewerEnabledKey, 0);
    defaults.insert(CVLViewerPortKey, 8080);
    defaults.insert(CVLViewerPinKey, QString());
    defaults.insert(CVLViewerAddressKey, QString());
    defaults.insert(CVLDefaultsMarquisTextKey,
        QString::fromUtf8("$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $"));
    state().registeredDefaults.insert(defaults);
}

QTime PreferenceStore::endOfPlayTime()
{
    if (intPreference(CVLDefaultsEndByClockKey) == 0)
        return QTime();
    return readTimeOfDay(textPreference(CVLDefaultsEndTimeKey));
}

int PreferenceStore::warningSeconds()
{
    if (intPreference(CVLDisplayWarningKey) == 0)
        return 0;
    return std::clamp(intPreference(CVLDisplayWarningMinutesKey), 0, maxWarningMinutes) * 60;
}

QTime PreferenceStore::readTimeOfDay(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QTime time = QTime::fromString(trimmed, QStringLiteral("H:mm"));
    return trimmed.size() <= 5 ? time : QTime();
}

QString PreferenceStore::storePath()
{
    if (!state().chosenPath.isEmpty())
        return state().chosenPath;
    // Named in full: a user-scope INI QSettings would pick "MervaneTimer.ini".
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Corvelworks/MervaneTimer.conf");
}

void PreferenceStore::setStorePath(const QString &path)
{
    state().chosenPath = path;
    state().unsaved.clear();
}

int PreferenceStore::intPreference(const QString &key)
{
    if (const auto value = readInt(stored(key)))
        return *value;
    return readInt(state().registeredDefaults.value(key)).value_or(0);
}

bool PreferenceStore::setIntPreference(const QString &key, int value)
{
    return store(key, value);
}

int PreferenceStore::preferenceSpringMinutes()
{
    return intPreference(CVLDefaultsSpringMinutesKey);
}

bool PreferenceStore::setPreferenceSpringMinutes(int minutes)
{
    return setIntPreference(CVLDefaultsSpringMinutesKey, minutes);
}

int PreferenceStore::preferenceFallMinutes()
{
    return intPreference(CVLDefaultsFallMinutesKey);
}

bool PreferenceStore::setPreferenceFallMinutes(int minutes)
{
    return setIntPreference(CVLDefaultsFallMinutesKey, minutes);
}

int PreferenceStore::preferenceOrderWritingMinutes()
{
    return intPreference(CVLDefaultsOrderWritingMinutesKey);
}

bool PreferenceStore::setPreferenceOrderWritingMinutes(int minutes)
{
    return setIntPreference(CVLDefaultsOrderWritingMinutesKey, minutes);
}

bool PreferenceStore::preferenceUseOrderWriting()
{
    return intPreference(CVLDefaultsUseOrderWritingKey) != 0;
}

bool PreferenceStore::setPreferenceUseOrderWriting(bool useOrderWriting)
{
    return setIntPreference(CVLDefaultsUseOrderWritingKey, useOrderWriting ? 1 : 0);
}

int PreferenceStore::preferenceLastYear()
{
    return intPreference(CVLDefaultsLastYearKey);
}

bool PreferenceStore::setPreferenceLastYear(int year)
{
    return setIntPreference(CVLDefaultsLastYearKey, year);
}

bool PreferenceStore::preferenceIsDropDead()
{
    return !preferenceUseOrderWriting();
}

bool PreferenceStore::setPreferenceIsDropDead(bool isDropDead)
{
    return setIntPreference(CVLDefaultsUseOrderWritingKey, isDropDead ? 0 : 1);
}

QString PreferenceStore::textPreference(const QString &key)
{
    QVariant text = stored(key);
    if (!text.isValid())
        text = state().registeredDefaults.value(key);
    if (!text.isValid())
        return QString();
    // A hand-written text with commas reads back as a list of its parts.
    if (text.typeId() == QMetaType::QStringList)
        return text.toStringList().join(QStringLiteral(", "));
    // An empty stored text is a text, not an absent one.
    const QString result = text.toString();
    return result.isNull() ? QStringLiteral("") : result;
}

bool PreferenceStore::setTextPreference(const QString &key, const QString &text)
{
    return store(key, text);
}

QString PreferenceStore::preferenceMarquisText()
{
    const QString text = textPreference(CVLDefaultsMarquisTextKey);
    if (text.size() > maxMarquisTextLength)
        reportCutBanner(text);
    return withinBannerLimit(text);
}

bool PreferenceStore::setPreferenceMarquisText(const QString &text)
{
    return setTextPreference(CVLDefaultsMarquisTextKey, withinBannerLimit(text));
}

QVariant PreferenceStore::stored(const QString &key)
{
    ensureInitialized();
    const auto unsaved = state().unsaved.constFind(key);
    if (unsaved != state().unsaved.constEnd())
        return *unsaved;
    return storeFile().values().value(key);
}

bool PreferenceStore::store(const QString &key, const QVariant &value)
{
    ensureInitialized();
    state().unsaved.insert(key, value);
    const bool saved = storeFile().save(state().unsaved);
    state().saveProblem = saved ? QString() : storeFile().problemText();
    if (saved)
        state().unsaved.clear();
    emit PreferenceNotifier::instance().changed(key);
    return saved;
}

QString PreferenceStore::saveProblem()
{
    return state().saveProblem;
}

bool PreferenceStore::isAcceptablePin(const QString &pin)
{
    if (pin.isEmpty())
        return true;
    return pin.size() >= 4 && pin.size() <= 8 &&
        std::all_of(pin.begin(), pin.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
