#include "PluginLibrary.h"

#include <filesystem>
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

PluginLibrary::PluginLibrary(const std::string& path) : file(path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        throw PluginRefused("plug-in '" + path + "' refused: it is a folder, not a library");
    }
    if (!std::filesystem::is_regular_file(path, ignored)) {
        throw PluginRefused("plug-in '" + path + "' refused: no such file");
    }
    std::string error;
    library = openLibrary(path, error);
    if (library == nullptr) {
        throw PluginRefused("plug-in '" + path + "' refused: not a loadable library (" + error +
                            ")");
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
        throw PluginRefused("plug-in '" + path + "' refused: it does not export " + missing);
    }
    if (exports->sdkBuild != kVantrelSdkBuild) {
        const int build = exports->sdkBuild;
        closeLibrary(library);
        throw PluginRefused("plug-in '" + path + "' refused: built for SDK build " +
                            std::to_string(build) + ", this host is build " +
                            std::to_string(kVantrelSdkBuild));
    }
}

PluginLibrary::~PluginLibrary() {
    closeLibrary(library);
}

void* PluginLibrary::symbol(const char* name) const {
    return findSymbol(library, name);
}
