// SPDX-License-Identifier: GPL-3.0-or-later
// The page's cue arithmetic, driven by sequences of the clock's messages, with no browser.
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const CueSchedule = require("../../resources/cueschedule.js");

const at = 1800000000000;
const running = { seconds: 12.45, running: true, at: at, phase: "Spring 1901" };
// Messages in order; then what the last did to the plans, and when each cue asked is due.
const paused = { seconds: 5.55, running: false, at: at + 6900 };
const rows = [
  ["counting from 0:12.45", [running], "void", { 13: null, 10: at + 2405, 5: at + 7405 }],
  ["paused at 0:05.55", [running, paused], "void", { 5: null, 4: null }],
  ["continued", [running, paused, { running: true, at: at + 2e4 }], "kept", { 5: at + 20505 }],
  ["the count itself", [running, { seconds: 7.45, at: at + 5000 }], "kept", { 5: at + 7405 }],
  ["nudged +10 s at 0:05", [running, { seconds: 15.05, at: at + 7400 }], "moved",
    { 10: at + 12405, 5: at + 17405 }],
  ["a new phase", [running, { phase: "Fall 1901", seconds: 600, at: at + 1000 }], "moved",
    { 5: at + 595955 }],
];

test("each cue is due at the clock's tick, and plans follow pauses, nudges and phases", () => {
  for (const [name, messages, last, due] of rows) {
    const schedule = new CueSchedule();
    let change;
    for (const message of messages) change = schedule.apply(message);
    assert.strictEqual(change, last, name);
    for (const [seconds, moment] of Object.entries(due))
      assert.strictEqual(schedule.momentOf(Number(seconds)), moment, name + ": cue " + seconds);
  }
});

test("a time set just above a whole second plays it at once; a cue 150 ms late still plays", () => {
  for (const [seconds, cue] of [[15.05, 15], [15, 15], [14.95, null], [15.15, null]]) {
    const schedule = new CueSchedule();
    schedule.apply({ seconds: seconds });
    assert.strictEqual(schedule.setSecond(), cue, String(seconds));
  }
  for (const [late, played] of [[-2000, true], [150, true], [151, false], [5000, false]])
    assert.strictEqual(CueSchedule.inTime(at, at + late), played, late + " ms");
});
