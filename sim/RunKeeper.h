// A run that no SIGKILL leaves half alive. On Linux the process a launcher starts becomes the
// run's keeper: it does nothing but wait for the process that does the work, passes on to it
// every signal sent to ask the program to end, stop or go on, ends whatever of the run the work
// left when it ends in any way, and ends as the work ended. The work, in a session of its own so
// that a signal to the launcher's whole group reaches it only through the keeper, ends the run
// itself when it finds the keeper gone. Both keep the orphans of what they started, so a SIGKILL
// of either ends everything of the run; only both killed at once leave what ignores its parent's
// death. Elsewhere these do nothing.
#pragma once

// Call once, before anything of the run is started or printed. Returns in the work's process;
// in the keeper it never returns.
void keepTheRunFromOutside();

// Whether the work's keeper is gone: it never ends before the work, so it was killed, and the
// run is to end as if interrupted. Always false where there is no keeper.
bool runKeeperGone();
