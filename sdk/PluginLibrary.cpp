#include "PluginLibrary.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#if defined(_WIN32)
void* openLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
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
    const std::filesystem::path file = std::filesystem::absolute(named, ignored).lexically_normal();
    // Refusals name the file as it was named: that is what the user will recognise.
    if (const std::string why = whyNotARegularFile(file); !why.empty()) {
        throw PluginRefused(refusal(named, why));
    }
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
