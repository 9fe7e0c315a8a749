#pragma once

#include <QString>
#include <QVariant>

inline constexpr char CVLDefaultsSpringMinutesKey[] = "defaults.springMinutes";
inline constexpr char CVLDefaultsFallMinutesKey[] = "defaults.fallMinutes";
inline constexpr char CVLDefaultsOrderWritingMinutesKey[] = "defaults.orderWritingMinutes";
inline constexpr char CVLDefaultsUseOrderWritingKey[] = "defaults.useOrderWriting";
inline constexpr char CVLDefaultsMarquisTextKey[] = "defaults.marquisText";

// The operator's preferences, kept in a per-user INI file. Every read goes to the file (or,
// while it holds no usable value, to the registered defaults, which live only in memory);
// every write is flushed before the setter returns. Setters answer false when the value
// could not be saved.
class PreferenceController
{
public:
    static void initialize();

    static int intPreference(const QString &key);
    static bool setIntPreference(const QString &key, int value);

    static int preferenceSpringMinutes();
    static bool setPreferenceSpringMinutes(int minutes);
    static int preferenceFallMinutes();
    static bool setPreferenceFallMinutes(int minutes);
    static int preferenceOrderWritingMinutes();
    static bool setPreferenceOrderWritingMinutes(int minutes);
    static bool preferenceUseOrderWriting();
    static bool setPreferenceUseOrderWriting(bool useOrderWriting);
    static bool preferenceIsDropDead();
    static bool setPreferenceIsDropDead(bool isDropDead);
    // A null string when neither the file nor the defaults hold a banner text.
    static QString preferenceMarquisText();
    static bool setPreferenceMarquisText(const QString &text);

    // The INI file in use: $XDG_CONFIG_HOME/Corvelworks/MervaneTimer.conf unless another
    // one was chosen (tests keep theirs in a temporary directory).
    static QString storePath();
    static void setStorePath(const QString &path);

private:
    static QVariant stored(const QString &key);
    static bool store(const QString &key, const QVariant &value);
};
