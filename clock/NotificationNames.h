#pragma once

// Names and user-info keys of the notifications that tie the clock, the views and the
// sound player together. Every text view receives every text notification and takes only
// the entry under its own key.

inline constexpr char RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME[] = "CVLTextChangedNotification";
inline constexpr char SOUND_PLAYER_NOTIFICATION_NAME[] = "CVLSoundPlayerNotification";
// Posted by the clock whenever its time text or its running changes, for listeners that
// count on by themselves between posts: the time left in seconds, the text and running.
inline constexpr char CLOCK_STATE_NOTIFICATION_NAME[] = "CVLClockStateNotification";
inline constexpr char RUNNING_KEY[] = "running";
inline constexpr char DISPLAY_TIME_KEY[] = "displayTime";

inline constexpr char COUNTDOWN_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.displayTime";
inline constexpr char PHASE_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.phase";
inline constexpr char SCROLLING_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.marquisText";
inline constexpr char RESIZABLE_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.unusedKey";
inline constexpr char SECONDS_KEY[] = "seconds";
