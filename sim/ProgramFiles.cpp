#include "ProgramFiles.h"

#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

std::filesystem::path programPath(const char* argv0) {
#if defined(_WIN32)
    wchar_t path[32768] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    if (length > 0 && length < 32768) {
        return std::filesystem::path(path);
    }
#else
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return self;
    }
#endif
    // Last resort: argv[0] holds a path only when the program was started by one.
    return std::filesystem::absolute(argv0);
}

std::filesystem::path pluginBesideProgram(const char* argv0) {
#if defined(_WIN32)
    return programPath(argv0).parent_path() / "Sundown.dll";
#else
    return programPath(argv0).parent_path() / "Sundown.so";
#endif
}
