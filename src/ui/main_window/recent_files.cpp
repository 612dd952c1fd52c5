#include "ui/main_window/recent_files.h"

#include <algorithm>

#include "base/byte_string.h"
#include "ui/document/file_identity.h"
#include "ui/platform/platform_services.h"

namespace tw {
namespace {

constexpr std::string_view kSection = "Recent File List";

std::string KeyOf(std::size_t index) {
    return "File" + FormatInt(static_cast<int>(index + 1));
}

}  // namespace

RecentFileList::RecentFileList(PlatformServices& services) : services_(services) {
    Load();
}

void RecentFileList::Load() {
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        std::string path = services_.GetProfileString(kSection, KeyOf(i), "");
        if (!path.empty()) {
            entries_.push_back(std::move(path));
        }
    }
}

void RecentFileList::Store() {
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        services_.WriteProfileString(kSection, KeyOf(i), i < entries_.size() ? entries_[i] : "");
    }
}

void RecentFileList::Add(const std::string& path) {
    std::erase_if(entries_, [&path](const std::string& entry) { return IsSameFile(entry, path); });
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kMaxEntries) {
        entries_.resize(kMaxEntries);
    }
    Store();
}

void RecentFileList::Remove(const std::string& path) {
    std::erase(entries_, path);
    Store();
}

}  // namespace tw
