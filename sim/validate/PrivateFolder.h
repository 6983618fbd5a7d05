// A folder of the validator's own for its children's output: made afresh under the system's
// temporary folder with a name no one can guess or plant beforehand, and removed with all it
// holds when the validator ends, also when it is interrupted.
#pragma once

#include <filesystem>

class PrivateFolder {
  public:
    // Throws std::runtime_error when no such folder can be made.
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::filesystem::path& path() const { return folder; }
    // Removes the folder and what it holds now; the destructor does it too.
    void remove();

  private:
    std::filesystem::path folder;
};
