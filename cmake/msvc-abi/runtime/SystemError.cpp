// The messages of std::system_category(): Windows' own text for an error code, as Microsoft's
// library asks the system for it, without the line end Windows adds.
#include <windows.h>
#include <system_error>

extern "C" {
size_t __stdcall __std_system_error_allocate_message(unsigned long code, char** message) noexcept {
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(message), 0, nullptr);
    if (length == 0) {
        *message = nullptr;
        return 0;
    }
    DWORD kept = length;
    while (kept > 0 && ((*message)[kept - 1] == '\n' || (*message)[kept - 1] == '\r' ||
                        (*message)[kept - 1] == ' ')) {
        --kept;
    }
    (*message)[kept] = '\0';
    return kept;
}

void __stdcall __std_system_error_deallocate_message(char* message) noexcept {
    LocalFree(message);
}
}
