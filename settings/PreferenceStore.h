// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTime>
#include <QVariant>

inline constexpr char CVLDefaultsSpringMinutesKey[] = "defaults.springMinutes";
inline constexpr char CVLDefaultsFallMinutesKey[] = "defaults.fallMinutes";
inline constexpr char CVLDefaultsOrderWritingMinutesKey[] = "defaults.orderWritingMinutes";
inline constexpr char CVLDefaultsUseOrderWritingKey[] = "defaults.useOrderWriting";
inline constexpr char CVLDefaultsMarquisTextKey[] = "defaults.marquisText";
// The game ends with this game-year; 0: it runs on.
inline constexpr char CVLDefaultsLastYearKey[] = "defaults.lastYear";
// Play ends by the clock on the wall when on (1): no game-year starts after the time of day
// in endTime ("18:30"), so the year in progress then is the last.
inline constexpr char CVLDefaultsEndByClockKey[] = "defaults.endByClock";
inline constexpr char CVLDefaultsEndTimeKey[] = "defaults.endTime";
// What the display shows besides its three texts, each on (1) or off (0): the band of the
// phase's time gone, the warning stage for the last warningMinutes of a phase (0: none), the
// line that names the next phase, and the time of day.
inline constexpr char CVLDisplayProgressKey[] = "display.progress";
inline constexpr char CVLDisplayWarningKey[] = "display.warning";
inline constexpr char CVLDisplayWarningMinutesKey[] = "display.warningMinutes";
inline constexpr char CVLDisplayNextPhaseKey[] = "display.nextPhase";
inline constexpr char CVLDisplayTimeOfDayKey[] = "display.timeOfDay";
// The language of every text the clock shows (a code such as "fr"); empty: the system's.
inline constexpr char CVLDisplayLanguageKey[] = "display.language";
// The cue output's device id (empty: the system default) and volume in whole percent.
inline constexpr char CVLAudioDeviceKey[] = "audio.device";
inline constexpr char CVLAudioVolumeKey[] = "audio.volume";
// The viewer server: on (1) or off (0), its port, the PIN that guards remote commands (empty:
// none are taken) and the address it listens on (empty: every interface).
inline constexpr char CVLViewerEnabledKey[] = "viewer.enabled";
inline constexpr char CVLViewerPortKey[] = "viewer.port";
inline constexpr char CVLViewerPinKey[] = "viewer.pin";
inline constexpr char CVLViewerAddressKey[] = "viewer.address";

// The operator's preferences, over a per-user INI file: every read answers what the file
// holds now (or, while it holds no usable value, the registered defaults, which live only in
// memory); every write is on disk, and read back, before the setter returns, and setters
// answer false when the value could not be saved. An unsaved value stays in force until the
// program ends or a later write saves it.
class PreferenceStore
{
public:
    static void initialize();

    // Any preference by key, typed, answering its registered default while the file holds
    // no usable value.
    static int intPreference(const QString &key);
    static bool setIntPreference(const QString &key, int value);
    static QString textPreference(const QString &key);
    static bool setTextPreference(const QString &key, const QString &text);

    static int preferenceSpringMinutes();
    static bool setPreferenceSpringMinutes(int minutes);
    static int preferenceFallMinutes();
    static bool setPreferenceFallMinutes(int minutes);
    static int preferenceOrderWritingMinutes();
    static bool setPreferenceOrderWritingMinutes(int minutes);
    static bool preferenceUseOrderWriting();
    static bool setPreferenceUseOrderWriting(bool useOrderWriting);
    static int preferenceLastYear();
    static bool setPreferenceLastYear(int year);
    static bool preferenceIsDropDead();
    static bool setPreferenceIsDropDead(bool isDropDead);
    // A null string when neither the file nor the defaults hold a banner text.
    static QString preferenceMarquisText();
    // Cut at maxMarquisTextLength.
    static bool setPreferenceMarquisText(const QString &text);
    // A pass of a longer banner would outlast a negotiation on a projector.
    static constexpr int maxMarquisTextLength = 2000;

    // Why the last save failed, for the operator; empty when it did not.
    static QString saveProblem();

    // The INI file in use: $XDG_CONFIG_HOME/Corvelworks/MervaneTimer.conf unless another
    // one was chosen (tests keep theirs in a temporary directory).
    static QString storePath();
    static void setStorePath(const QString &path);

    // The time of day play ends when that rule is on; invalid while it is off or unreadable.
    static QTime endOfPlayTime();
    // The warning stage's length in seconds; 0 while it is off.
    static int warningSeconds();
    // A longer warning stage than this is no warning.
    static constexpr int maxWarningMinutes = 999;
    // "18:30" or "6:30": hours and minutes on the 24-hour clock.
    static QTime readTimeOfDay(const QString &text);

    // Empty, or 4 to 8 digits.
    static bool isAcceptablePin(const QString &pin);
    // The length of the PIN offered when the viewers are turned on without one.
    static constexpr int suggestedPinDigits = 6;
    // The ports the viewer server may listen on.
    static constexpr int lowestPort = 1, highestPort = 65535;

protected:
    static QVariant stored(const QString &key);
    static bool store(const QString &key, const QVariant &value);
};
