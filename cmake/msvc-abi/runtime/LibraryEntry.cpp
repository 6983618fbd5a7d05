// The entry point of a DLL of the Visual C++ build: the loader calls it as the library is mapped
// and unmapped.
#include "Startup.h"

#include <vcruntime.h>
#include <windows.h>

// It makes the /GS cookie, so its own frame goes without a check.
extern "C" __attribute__((no_stack_protector)) BOOL WINAPI _DllMainCRTStartup(HINSTANCE,
                                                                              DWORD reason,
                                                                              LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        __security_init_cookie();
        return sundown_runtime::startLibraryExitTable() && sundown_runtime::runInitialisers();
    }
    if (reason == DLL_PROCESS_DETACH) {
        sundown_runtime::runLibraryExitTable();
    }
    return TRUE;
}
