// SPDX-License-Identifier: GPL-3.0-or-later
// When the viewer page plays each cue, worked out from the clock's messages alone, on the clock's
// own wall time in milliseconds. Plain arithmetic, so that Node drives it without a browser.
"use strict";
const CueSchedule = (() => {
  // While counting, the clock ticks where the time left lies 45 ms past a tenth, and plays
  // cue N at the first tick that takes the time left below N + 0.1 s: the one at N + 0.045 s.
  // A cue more than 150 ms late is skipped, as the clock skips it.
  const TICK_PHASE_S = 0.045, CUE_WINDOW_S = 0.1, LATE_MS = 150, MOVED_S = 0.05;
  const FIELDS = ["time", "seconds", "running", "at", "phase", "banner", "control", "next",
    "length", "warnAt", "show", "clock24"];

  class CueSchedule {
    constructor() { this.state = {}; }

    // Takes a message's fields. Answers what became of the cues planned so far: "kept"; "void"
    // when the clock stopped or a phase began; "moved" when the time was set outright (a nudge),
    // not where the clock's count would have taken it.
    apply(message) {
      const state = this.state;
      const counted = state.running ? state.seconds - (message.at - state.at) / 1000 : state.seconds;
      const moved = "seconds" in message && Math.abs(message.seconds - counted) > MOVED_S;
      const stopped = "running" in message && !message.running;
      for (const key of FIELDS)
        if (key in message) state[key] = message[key];
      return moved ? "moved" : stopped || "phase" in message ? "void" : "kept";
    }

    // When the clock plays cue `seconds`; null while it is stopped, or when that has passed.
    momentOf(seconds) {
      const state = this.state;
      if (!state.running || seconds + CUE_WINDOW_S > state.seconds) return null;
      return state.at + Math.round((state.seconds - seconds - TICK_PHASE_S) * 1000);
    }

    // A time set just above a whole second plays that second's cue at once; else null.
    setSecond() {
      const seconds = this.state.seconds;
      return seconds - Math.floor(seconds) < CUE_WINDOW_S ? Math.round(seconds) : null;
    }

    // Whether a cue due at `moment` may still start at `now`.
    static inTime(moment, now) { return moment >= now - LATE_MS; }
  }
  return CueSchedule;
})();
if (typeof module === "object") module.exports = CueSchedule;
