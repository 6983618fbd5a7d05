// The file system functions std::filesystem calls, over the Windows API: Microsoft's library
// ships them in its own DLL, and Wine's has none of them. Each answers with the Windows error
// code the library turns into a std::error_code.
#include <windows.h>
#include <filesystem>

namespace {
__std_win_error lastError() {
    return static_cast<__std_win_error>(GetLastError());
}

bool includes(__std_fs_stats_flags flags, __std_fs_stats_flags wanted) {
    return (static_cast<unsigned long>(flags) & static_cast<unsigned long>(wanted)) != 0;
}

long long fileTime(const FILETIME& time) {
    return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                  time.dwLowDateTime);
}

HANDLE openForAttributes(const wchar_t* path, bool followSymlinks) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followSymlinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return CreateFileW(path, FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

__std_win_error reparseTag(const wchar_t* path, __std_fs_reparse_tag* tag) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    FindClose(search);
    *tag = static_cast<__std_fs_reparse_tag>(found.dwReserved0);
    return __std_win_error::_Success;
}

// What a handle tells of the file, for links followed and for the link count.
__std_win_error statsByHandle(const wchar_t* path, bool followSymlinks, __std_fs_stats* stats) {
    const HANDLE file = openForAttributes(path, followSymlinks);
    if (file == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool read = GetFileInformationByHandle(file, &information) != 0;
    const __std_win_error error = read ? __std_win_error::_Success : lastError();
    CloseHandle(file);
    if (read) {
        stats->_Attributes = static_cast<__std_fs_file_attr>(information.dwFileAttributes);
        stats->_File_size = (static_cast<unsigned long long>(information.nFileSizeHigh) << 32) |
                            information.nFileSizeLow;
        stats->_Last_write_time = fileTime(information.ftLastWriteTime);
        stats->_Link_count = information.nNumberOfLinks;
    }
    return error;
}

__std_fs_convert_result convertResult(int length) {
    return {length, length == 0 ? lastError() : __std_win_error::_Success};
}
}  // namespace

extern "C" {
__std_ulong_and_error __stdcall __std_fs_get_full_path_name(const wchar_t* source,
                                                            unsigned long size,
                                                            wchar_t* target) noexcept {
    const DWORD length = GetFullPathNameW(source, size, target, nullptr);
    return {length, length == 0 ? lastError() : __std_win_error::_Success};
}

__std_win_error __stdcall __std_fs_get_stats(const wchar_t* path, __std_fs_stats* stats,
                                             __std_fs_stats_flags flags,
                                             __std_fs_file_attr) noexcept {
    const bool follow = includes(flags, __std_fs_stats_flags::_Follow_symlinks);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        return lastError();
    }
    const bool isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const bool needsHandle =
        (follow && isLink) || includes(flags, __std_fs_stats_flags::_Link_count);
    if (needsHandle) {
        const __std_win_error error = statsByHandle(path, follow, stats);
        if (error != __std_win_error::_Success) {
            return error;
        }
    } else {
        stats->_Attributes = static_cast<__std_fs_file_attr>(data.dwFileAttributes);
        stats->_File_size =
            (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stats->_Last_write_time = fileTime(data.ftLastWriteTime);
        stats->_Link_count = 1;
    }
    stats->_Reparse_point_tag = __std_fs_reparse_tag::_None;
    if (includes(flags, __std_fs_stats_flags::_Reparse_tag) && isLink && !follow) {
        const __std_win_error error = reparseTag(path, &stats->_Reparse_point_tag);
        if (error != __std_win_error::_Success) {
            return error;
        }
    }
    stats->_Available = __std_fs_stats_flags::_All_data;
    return __std_win_error::_Success;
}

__std_code_page __stdcall __std_fs_code_page() noexcept {
    return GetACP() == CP_UTF8 ? __std_code_page::_Utf8 : __std_code_page::_Acp;
}

__std_fs_convert_result __stdcall __std_fs_convert_narrow_to_wide(__std_code_page codePage,
                                                                  const char* input,
                                                                  int inputLength, wchar_t* output,
                                                                  int outputLength) noexcept {
    return convertResult(MultiByteToWideChar(static_cast<UINT>(codePage), MB_ERR_INVALID_CHARS,
                                             input, inputLength, output, outputLength));
}

__std_fs_convert_result __stdcall __std_fs_convert_wide_to_narrow(__std_code_page codePage,
                                                                  const wchar_t* input,
                                                                  int inputLength, char* output,
                                                                  int outputLength) noexcept {
    const UINT page = static_cast<UINT>(codePage);
    if (page == CP_UTF8) {
        return convertResult(WideCharToMultiByte(page, WC_ERR_INVALID_CHARS, input, inputLength,
                                                 output, outputLength, nullptr, nullptr));
    }
    // A character the code page lacks is an error, never a silent '?'.
    BOOL replaced = FALSE;
    const int length = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, input, inputLength, output,
                                           outputLength, nullptr, &replaced);
    if (length != 0 && replaced) {
        return {0, __std_win_error::_Invalid_name};
    }
    return convertResult(length);
}

__std_fs_convert_result __stdcall __std_fs_convert_wide_to_narrow_replace_chars(
    __std_code_page codePage, const wchar_t* input, int inputLength, char* output,
    int outputLength) noexcept {
    const UINT page = static_cast<UINT>(codePage);
    return convertResult(WideCharToMultiByte(page, page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS,
                                             input, inputLength, output, outputLength, nullptr,
                                             nullptr));
}

__std_ulong_and_error __stdcall __std_fs_get_temp_path(wchar_t* target) noexcept {
    const DWORD length = GetTempPathW(static_cast<DWORD>(__std_fs_temp_path_max), target);
    return {length, length == 0 ? lastError() : __std_win_error::_Success};
}

__std_ulong_and_error __stdcall __std_fs_get_current_path(unsigned long size,
                                                          wchar_t* target) noexcept {
    const DWORD length = GetCurrentDirectoryW(size, target);
    return {length, length == 0 ? lastError() : __std_win_error::_Success};
}

__std_fs_remove_result __stdcall __std_fs_remove(const wchar_t* target) noexcept {
    const DWORD attributes = GetFileAttributesW(target);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const __std_win_error error = lastError();
        if (__std_is_file_not_found(error)) {
            return {false, __std_win_error::_Success};
        }
        return {false, error};
    }
    const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                             ? RemoveDirectoryW(target) != 0
                             : DeleteFileW(target) != 0;
    return {removed, removed ? __std_win_error::_Success : lastError()};
}

__std_fs_create_directory_result __stdcall __std_fs_create_directory(
    const wchar_t* directory) noexcept {
    if (CreateDirectoryW(directory, nullptr)) {
        return {true, __std_win_error::_Success};
    }
    const __std_win_error error = lastError();
    if (error == __std_win_error::_Already_exists) {
        const DWORD attributes = GetFileAttributesW(directory);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return {false, __std_win_error::_Success};
        }
    }
    return {false, error};
}

void __stdcall __std_fs_directory_iterator_close(__std_fs_dir_handle handle) noexcept {
    if (handle != __std_fs_dir_handle::_Invalid) {
        FindClose(reinterpret_cast<HANDLE>(handle));
    }
}

__std_win_error __stdcall __std_fs_directory_iterator_open(const wchar_t* pathSpec,
                                                           __std_fs_dir_handle* handle,
                                                           __std_fs_find_data* results) noexcept {
    __std_fs_directory_iterator_close(*handle);
    const HANDLE search =
        FindFirstFileExW(pathSpec, FindExInfoBasic, results, FindExSearchNameMatch, nullptr, 0);
    *handle = static_cast<__std_fs_dir_handle>(reinterpret_cast<intptr_t>(search));
    if (search != INVALID_HANDLE_VALUE) {
        return __std_win_error::_Success;
    }
    const __std_win_error error = lastError();
    // An empty folder has no match for "*".
    return error == __std_win_error::_File_not_found ? __std_win_error::_No_more_files : error;
}

__std_win_error __stdcall __std_fs_directory_iterator_advance(
    __std_fs_dir_handle handle, __std_fs_find_data* results) noexcept {
    if (FindNextFileW(reinterpret_cast<HANDLE>(handle),
                      reinterpret_cast<WIN32_FIND_DATAW*>(results))) {
        return __std_win_error::_Success;
    }
    return lastError();
}

__std_win_error __stdcall __std_fs_open_handle(__std_fs_file_handle* handle,
                                               const wchar_t* fileName, __std_access_rights access,
                                               __std_fs_file_flags flags) noexcept {
    const HANDLE file = CreateFileW(fileName, static_cast<DWORD>(access),
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, static_cast<DWORD>(flags), nullptr);
    *handle = static_cast<__std_fs_file_handle>(reinterpret_cast<intptr_t>(file));
    return file == INVALID_HANDLE_VALUE ? lastError() : __std_win_error::_Success;
}

void __stdcall __std_fs_close_handle(__std_fs_file_handle handle) noexcept {
    if (handle != __std_fs_file_handle::_Invalid) {
        CloseHandle(reinterpret_cast<HANDLE>(handle));
    }
}

__std_ulong_and_error __stdcall __std_fs_get_final_path_name_by_handle(
    __std_fs_file_handle handle, wchar_t* target, unsigned long size,
    __std_fs_volume_name_kind kind) noexcept {
    const DWORD length = GetFinalPathNameByHandleW(reinterpret_cast<HANDLE>(handle), target, size,
                                                   static_cast<DWORD>(kind));
    return {length, length == 0 ? lastError() : __std_win_error::_Success};
}
}
