// What the plug-in starts and leaves behind, ended by the program that ran it: on Linux the
// program becomes the keeper of its descendants' orphans, and ends every process that descends
// from it but those it had before it started any (a launcher's). Elsewhere these do nothing.
#pragma once

// Call once, before the first child is started.
void keepWhatChildrenLeave();
// Ends whatever its children started that still runs; only when no child of its own runs.
void endWhatChildrenLeft();
