// What sundown-sim says when the play ends otherwise than by itself, most likely in the plug-in's
// code: a fatal signal, or the plug-in ending the program (exit, _exit, quick_exit) while it
// loads or plays, told with what the session was doing, instead of ending without a word, and
// never with status 0 without the script's summary.
#pragma once

#include <functional>
#include <string>

// Runs `play`, which returns the program's exit status, and returns that status; when the play
// ends otherwise, says how and what was running, and returns `endedStatus`. Where the system can
// fork, the play runs in a child process and the parent, which loads nothing, reports.
int playReportingItsEnd(int endedStatus, const std::function<int()>& play);

// What the session does now, for the report; kept short.
void nowDoing(const std::string& what);

// Says "sundown-sim: `problem`" on standard error; when the plug-in has closed it, the parent
// that watches the play says it instead, so that no failing status comes without a word.
void sayProblem(const std::string& problem);
