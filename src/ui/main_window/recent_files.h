#pragma once

#include <string>
#include <vector>

namespace tw {

class PlatformServices;

// The File menu's recent files: up to four paths, newest first, kept in the profile
// section "Recent File List" under the keys "File1" to "File4".
class RecentFileList {
public:
    static constexpr std::size_t kMaxEntries = 4;

    explicit RecentFileList(PlatformServices& services);

    const std::vector<std::string>& Entries() const { return entries_; }
    // Puts the path first, dropping an older entry for the same file and the oldest entry
    // beyond four; the profile follows at once.
    void Add(const std::string& path);
    void Remove(const std::string& path);

private:
    void Load();
    void Store();

    PlatformServices& services_;
    std::vector<std::string> entries_;
};

}  // namespace tw
