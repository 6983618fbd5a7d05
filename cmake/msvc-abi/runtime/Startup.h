// What a module's entry point runs before its own code and after it: the C and C++ initialiser
// tables the compiler fills, and the module's atexit functions.
#pragma once

namespace sundown_runtime {
// Runs the module's initialisers; false when a C initialiser failed.
bool runInitialisers();
// A library keeps its atexit functions to run them when it is unloaded: false when it cannot.
bool startLibraryExitTable();
void runLibraryExitTable();
// A program hands its atexit functions to the C runtime, which runs them at exit.
void becomeProgram();
}  // namespace sundown_runtime
