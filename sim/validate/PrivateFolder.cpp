#include "PrivateFolder.h"

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

std::filesystem::path madeFolder() {
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) {
        throw std::runtime_error("no temporary folder: " + error.message());
    }
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
