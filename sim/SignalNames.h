// Fatal signals by name and meaning, for the tools' reports of a crash.
#pragma once

// "SIGSEGV (invalid memory access)", or null for a signal without a name here. Safe to call in a
// signal handler: it only picks a constant.
const char* signalDescription(int signal);
