// SPDX-License-Identifier: GPL-3.0-or-later
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

// Posted when the phase's outlook changes: the share of it gone and whether it is in its
// warning stage, its length and the seconds left that start the stage (0: none), and the
// line that names the next phase (also posted as text, under the next-phase view's key).
inline constexpr char OUTLOOK_NOTIFICATION_NAME[] = "CVLOutlookNotification";
inline constexpr char PROGRESS_KEY[] = "progress";
inline constexpr char WARNING_KEY[] = "warning";
inline constexpr char PHASE_SECONDS_KEY[] = "length";
inline constexpr char WARNING_SECONDS_KEY[] = "warnAt";

inline constexpr char COUNTDOWN_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.displayTime";
inline constexpr char PHASE_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.phase";
inline constexpr char SCROLLING_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.marquisText";
inline constexpr char NEXT_PHASE_KEY[] = "com.corvelworks.MervaneTimer.nextPhase";
inline constexpr char RESIZABLE_DEFAULT_KEY[] = "com.corvelworks.MervaneTimer.unusedKey";
inline constexpr char SECONDS_KEY[] = "seconds";
