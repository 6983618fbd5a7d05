#!/usr/bin/env python3
"""Writes a random session script for sundown-sim, the same for the same seed.

Unlike the validator's random player, whose events change as it learns new ones, a script is in
the simulator's script language, which every build plays alike: so two builds can be compared
on the same random play with `sundown-sim --events` (scripts/trace-diff.sh does). Matches are
whole, or joined and left at one moment, so that no line meets a game the plug-in has changed
under it; a restart now and then brings a quit game back.

usage: random-session.py SEED LINES [--opt-in NAME,...]
  NAME: heads-up, streak, day, bedtime, history, kept-session. None is the default: every rule
  beyond the text stays off, as a player who never chose one has it.
"""
import random
import sys

OPT_IN = ("heads-up", "streak", "day", "bedtime", "history", "kept-session")
RESULTS = ("win", "loss", "none")
CLICKS = ("Enable/Disable Quit after games count", "Game Count", "Lose Count",
          "Win-Lose Ratio", "Reset Games Count", "Start/Stop")


def whole_match(rng):
    where = " offline" if rng.random() < 0.15 else ""
    return [f"match {rng.choice(RESULTS)}{where} {rng.randint(20, 720)}s "
            f"goals {rng.randint(0, 5)}"]


def match_at_once(rng):
    """Joined and left at one moment: no time passes for the plug-in to change the game."""
    result = rng.choice(RESULTS)
    return rng.choice([
        ["online", "round-start", f"match-end {result}", "destroy"],
        ["online", "offline"],
        ["online", "round-start", "offline"],
        ["online", "round-start", f"match-end {result}", "online", "offline"],
        ["online", "round-start", 'command "unreal_command disconnect"'],
    ])


def on_the_page(rng):
    lines = ["settings open"]
    for _ in range(rng.randint(1, 3)):
        lines.append(rng.choice([
            f'click "{rng.choice(CLICKS)}"',
            f'type "Quit after # games" {rng.randint(0, 6)}',
            f'type "Quit after # minutes" {rng.randint(0, 4)}',
            f'click "Quit after # games" {rng.choice("+-")}',
        ]))
    lines += ["show settings", "settings close"]
    return lines


def at_the_console(rng):
    return [rng.choice([
        "press F5",
        f'command "SundownEnableDisable{" word" * rng.randint(0, 2)}"',
        'command "resetGamesCount"',
        f"set numOfGames {rng.randint(0, 8)}",
        f"saved numOfGames {rng.randint(-1, 60)}",
        f"set enableByNumOption {rng.randint(0, 2)}",
    ])]


def opt_in_change(rng, chosen):
    name = rng.choice(sorted(chosen))
    if name == "heads-up":
        return [f"set enableHeadsUp {rng.randint(0, 1)}"]
    if name == "streak":
        return [f"set lossStreakLimit {rng.randint(0, 4)}"]
    if name == "day":
        return [rng.choice([f"set dailyMatches {rng.randint(0, 4)}",
                            f"set dailyMinutes {rng.randint(0, 40)}",
                            f"set dayStartsAt {rng.randint(0, 23)}"])]
    if name == "bedtime":
        return [f'set bedtime "{rng.choice(["", "23:30", "1:00", "19:00"])}"']
    if name == "history":
        return [f"set keepHistory {rng.randint(0, 1)}"]
    return [f"set keepSessionOnRestart {rng.randint(0, 1)}"]


def session(seed, count, chosen):
    rng = random.Random(seed)
    lines = [f"# random session {seed}, {count} lines, opt-in: {','.join(sorted(chosen)) or 'none'}",
             'command "bind F5 SundownEnableDisable"']
    moves = [(whole_match, 30), (match_at_once, 15), (on_the_page, 10), (at_the_console, 15),
             (lambda r: [f"wait {r.randint(1, 1800)}s"], 15),
             (lambda r: [f"clock 2026-{r.randint(1, 12):02d}-{r.randint(1, 28):02d} "
                         f"{r.randint(0, 23):02d}:{r.randint(0, 59):02d}"], 3),
             (lambda r: ["show overlay", "show vars"], 4), (lambda r: ["restart"], 4)]
    if chosen:
        moves.append((lambda r: opt_in_change(r, chosen), 8))
    total = sum(weight for _, weight in moves)
    while len(lines) < count:
        pick = rng.randrange(total)
        for move, weight in moves:
            if pick < weight:
                lines += move(rng)
                break
            pick -= weight
    return "\n".join(lines) + "\n"


def main(argv):
    args = argv[1:]
    chosen = set()
    if len(args) == 4 and args[2] == "--opt-in":
        chosen = set(filter(None, args[3].split(",")))
        args = args[:2]
    if len(args) != 2 or not all(a.isdigit() and len(a) <= 15 for a in args) or \
            not chosen <= set(OPT_IN) or not 1 <= int(args[1]) <= 100_000:
        sys.stderr.write(__doc__)
        return 2
    sys.stdout.write(session(int(args[0]), int(args[1]), chosen))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
