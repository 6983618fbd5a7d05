// Counting an online match that ended or was left, on the plug-in's own fields: the played, won
// and lost counts, the losing streak, the two end handlers' log lines, and whether the count rule
// or the streak is met.
#pragma once

class Sundown;

// What counting an ended match came to: stopped before the rules (no winner, the switch off), or
// the rules applied, met or not.
enum class Counted { Stopped, RulesHeld, RulesMet };

// The match ended with a result ("GameEnd").
Counted countEndedMatch(Sundown& plugin);
// The match's game event destroyed, whether it ended or was left ("GameDestroyed").
Counted countDestroyedMatch(Sundown& plugin);
