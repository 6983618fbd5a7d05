#include "PrivateFolder.h"

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <stdlib.h>
#endif

namespace {

// The system's temporary folder; an empty TMPDIR is one not set.
std::filesystem::path temporaryFolder() {
#if !defined(_WIN32)
    if (const char* named = std::getenv("TMPDIR"); named != nullptr && *named == '\0') {
        unsetenv("TMPDIR");
    }
#endif
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) {
        const char* named = std::getenv("TMPDIR");
        throw std::runtime_error(
            "no temporary folder" +
            (named != nullptr ? " at TMPDIR '" + std::string(named) + "'" : std::string()) + ": " +
            error.message());
    }
    return temporary;
}

std::filesystem::path madeFolder() {
    const std::filesystem::path temporary = temporaryFolder();
#if defined(_WIN32)
    // CreateDirectory fails on a name that exists, link or not: try fresh random names.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            temporary / ("sundown-validate-" + std::to_string(random()) + std::to_string(random()));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            return candidate;
        }
    }
    throw std::runtime_error("cannot make a folder in " + temporary.string());
#else
    std::string pattern = (temporary / "sundown-validate-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder in " + temporary.string());
    }
    return pattern;
#endif
}

}  // namespace

PrivateFolder::PrivateFolder() : folder(madeFolder()) {}

PrivateFolder::~PrivateFolder() {
    remove();
}

void PrivateFolder::remove() {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}
