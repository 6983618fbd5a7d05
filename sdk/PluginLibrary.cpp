#include "PluginLibrary.h"

#include "WallClock.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#endif

namespace {

#if defined(_WIN32)
__time64_t __cdecl hostTime64(__time64_t* result) {
    const auto now = static_cast<__time64_t>(hostWallSeconds());
    if (result != nullptr) {
        *result = now;
    }
    return now;
}

__time32_t __cdecl hostTime32(__time32_t* result) {
    const auto now = static_cast<__time32_t>(hostWallSeconds());
    if (result != nullptr) {
        *result = now;
    }
    return now;
}

// The host world's clock in place of the C runtime's time(), in the import name's form.
void* hostClockFor(const char* imported) {
    if (std::strcmp(imported, "_time64") == 0 || std::strcmp(imported, "time") == 0) {
        return reinterpret_cast<void*>(&hostTime64);
    }
    return std::strcmp(imported, "_time32") == 0 ? reinterpret_cast<void*>(&hostTime32) : nullptr;
}

bool isRuntimeLibrary(const char* name) {
    return _stricmp(name, "msvcrt.dll") == 0 || _strnicmp(name, "ucrtbase", 8) == 0 ||
           _strnicmp(name, "api-ms-win-crt-time", 19) == 0;
}

// The plug-in reads the wall clock through the C runtime's time(): its imports of it are pointed
// at the host world's clock, the way the Linux host's own time() comes first.
void redirectClockImports(HMODULE module) {
    auto* base = reinterpret_cast<unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return;
    }
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        if (!isRuntimeLibrary(reinterpret_cast<const char*>(base + library->Name))) {
            continue;
        }
        const DWORD namesAt =
            library->OriginalFirstThunk != 0 ? library->OriginalFirstThunk : library->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* named =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            void* clock = hostClockFor(reinterpret_cast<const char*>(named->Name));
            if (clock == nullptr) {
                continue;
            }
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(clock);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
        }
    }
}

void* openLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    } else {
        redirectClockImports(module);
    }
    return reinterpret_cast<void*>(module);
}
void closeLibrary(void* library) {
    FreeLibrary(reinterpret_cast<HMODULE>(library));
}
void* findSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}
#else
void* openLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = dlerror();
        error = reason == nullptr ? "unknown error" : reason;
    }
    return library;
}
void closeLibrary(void* library) {
    dlclose(library);
}
void* findSymbol(void* library, const char* name) {
    return dlsym(library, name);
}
#endif

// Why the record at `record` is smaller than the host reads; empty when it is whole.
std::string recordTooSmall(void* library, const void* record) {
#if defined(_WIN32)
    // Windows keeps no size with an export: the record must at least lie whole in the library's
    // own memory.
    MEMORY_BASIC_INFORMATION first{};
    MEMORY_BASIC_INFORMATION last{};
    const auto* end = static_cast<const char*>(record) + sizeof(PluginRecord) - 1;
    if (VirtualQuery(record, &first, sizeof first) == 0 ||
        VirtualQuery(end, &last, sizeof last) == 0 || first.State != MEM_COMMIT ||
        last.State != MEM_COMMIT || first.AllocationBase != library ||
        last.AllocationBase != library) {
        return "its record 'exports' does not lie whole in the library";
    }
    return {};
#else
    (void)library;
    Dl_info where{};
    void* found = nullptr;
    if (dladdr1(record, &where, &found, RTLD_DL_SYMENT) == 0 || found == nullptr) {
        return {};
    }
    const auto* symbol = static_cast<const ElfW(Sym)*>(found);
    if (symbol->st_size < sizeof(PluginRecord)) {
        return "its record 'exports' is " + std::to_string(symbol->st_size) +
               " bytes, where the host reads " + std::to_string(sizeof(PluginRecord));
    }
    return {};
#endif
}

}  // namespace

namespace {

std::string refusal(const std::string& file, const std::string& why) {
    return "plug-in '" + file + "' refused: " + why;
}

// Why the file at `path` is no file a library can be read from; empty when it may be one.
std::string whyNotARegularFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error && error.value() == ELOOP) {
        return "it is a loop of links";
    }
    switch (status.type()) {
        case fs::file_type::regular:
            break;
        case fs::file_type::directory:
            return "it is a folder, not a library";
        case fs::file_type::fifo:
            return "it is a FIFO, not a library";
        case fs::file_type::socket:
            return "it is a socket, not a library";
        case fs::file_type::block:
        case fs::file_type::character:
            return "it is a device, not a library";
        case fs::file_type::not_found: {
            std::error_code ignored;
            return fs::is_symlink(fs::symlink_status(path, ignored))
                       ? "it is a link to a file that does not exist"
                       : "no such file";
        }
        default:
            return error ? "it cannot be looked at (" + error.message() + ")"
                         : "it is not a regular file";
    }
    std::ifstream readable(path, std::ios::binary);
    if (!readable || readable.peek() == std::ifstream::traits_type::eof()) {
        return readable ? "it is empty" : "it cannot be read";
    }
    return {};
}

}  // namespace

std::filesystem::path PluginLibrary::fileToOpen(const std::string& named) {
    if (named.empty()) {
        throw PluginRefused("the plug-in's name is empty: name a library file");
    }
    std::error_code ignored;
    std::filesystem::path file = std::filesystem::absolute(named, ignored).lexically_normal();
    // Refusals name the file as it was named: that is what the user will recognise.
    if (const std::string why = whyNotARegularFile(named); !why.empty()) {
        throw PluginRefused(refusal(named, why));
    }
#if !defined(_WIN32)
    // The file the system opens, every link resolved by the system itself: "d/link/../x" is where
    // the link leads, not "d/x", and a link changed later changes nothing already resolved.
    std::error_code unresolved;
    std::filesystem::path resolved = std::filesystem::canonical(named, unresolved);
    if (unresolved) {
        throw PluginRefused(
            refusal(named, "its path cannot be resolved (" + unresolved.message() + ")"));
    }
    file = std::move(resolved);
#endif
    return file;
}

PluginLibrary::PluginLibrary(const std::string& named) : file(fileToOpen(named).string()) {
    std::string error;
    library = openLibrary(file, error);
    if (library == nullptr) {
        throw PluginRefused(refusal(named, "not a loadable library (" + error + ")"));
    }
    exports = static_cast<const PluginRecord*>(findSymbol(library, "exports"));
    const char* missing = nullptr;
    if (exports == nullptr) {
        missing = "the record 'exports'";
    } else if (const std::string why = recordTooSmall(library, exports); !why.empty()) {
        closeLibrary(library);
        throw PluginRefused(refusal(named, why));
    } else if (exports->createEntry == nullptr || exports->releaseEntry == nullptr) {
        missing = "its entry points";
    } else if (exports->sourceFile == nullptr || exports->classLabel == nullptr ||
               exports->displayName == nullptr || exports->versionText == nullptr) {
        missing = "the texts of its record (a source file, class label, name and version)";
    }
    if (missing != nullptr) {
        closeLibrary(library);
        throw PluginRefused(refusal(named, std::string("it does not export ") + missing));
    }
    if (exports->sdkBuild != kVantrelSdkBuild) {
        const int build = exports->sdkBuild;
        closeLibrary(library);
        throw PluginRefused(refusal(named, "built for SDK build " + std::to_string(build) +
                                               ", this host is build " +
                                               std::to_string(kVantrelSdkBuild)));
    }
}

PluginLibrary::~PluginLibrary() {
    closeLibrary(library);
}

void* PluginLibrary::symbol(const char* name) const {
    return findSymbol(library, name);
}
