// What sundown-sim says when the program dies of a fatal signal, most likely in the plug-in's
// code: the signal, and what the session was doing, instead of dying without a word.
#pragma once

#include <string>

// Installs the handlers; from then on a fatal signal ends the program with status 2.
void reportCrashes(int exitStatus);
// What the session does now, for the report; kept short.
void nowDoing(const std::string& what);
