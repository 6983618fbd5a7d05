// How a module of the Visual C++ build starts and ends, as the static part of the Visual C++
// runtime does it: the C and C++ initialiser tables the compiler fills (.CRT$XI*, .CRT$XC*);
// a library's atexit functions run when it is unloaded, a program's when it exits.
#include "Startup.h"

#include <corecrt_startup.h>
#include <stdlib.h>
#include <vcruntime.h>

extern "C" {
_CRTIMP void __cdecl _initterm(_PVFV* first, _PVFV* last);
_CRTIMP int __cdecl _initterm_e(_PIFV* first, _PIFV* last);

#pragma section(".CRT$XIA", long, read)
#pragma section(".CRT$XIZ", long, read)
#pragma section(".CRT$XCA", long, read)
#pragma section(".CRT$XCZ", long, read)
// The linker sorts the sections by name: the compiler's entries lie between these ends.
__declspec(allocate(".CRT$XIA")) _PIFV firstCInitialiser[] = {nullptr};
__declspec(allocate(".CRT$XIZ")) _PIFV lastCInitialiser[] = {nullptr};
__declspec(allocate(".CRT$XCA")) _PVFV firstCppInitialiser[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) _PVFV lastCppInitialiser[] = {nullptr};
}

namespace {
// A library's own atexit table: its functions must run while its code is still mapped.
_onexit_table_t libraryExitTable;
bool isProgram = false;
}  // namespace

namespace sundown_runtime {
bool runInitialisers() {
    if (_initterm_e(firstCInitialiser, lastCInitialiser) != 0) {
        return false;
    }
    _initterm(firstCppInitialiser, lastCppInitialiser);
    return true;
}

bool startLibraryExitTable() {
    return _initialize_onexit_table(&libraryExitTable) == 0;
}

void runLibraryExitTable() {
    _execute_onexit_table(&libraryExitTable);
}

void becomeProgram() {
    isProgram = true;
}
}  // namespace sundown_runtime

extern "C" _onexit_t __cdecl _onexit(_onexit_t function) {
    const int status = isProgram ? _crt_atexit(reinterpret_cast<_PVFV>(function))
                                 : _register_onexit_function(&libraryExitTable, function);
    return status == 0 ? function : nullptr;
}

extern "C" int __cdecl atexit(_PVFV function) {
    return _onexit(reinterpret_cast<_onexit_t>(function)) != nullptr ? 0 : -1;
}

// quick_exit runs the process's table only: a library's functions would be called after it was
// unloaded, so only a program may add to it.
extern "C" int __cdecl at_quick_exit(_PVFV function) {
    return isProgram ? _crt_at_quick_exit(function) : -1;
}
