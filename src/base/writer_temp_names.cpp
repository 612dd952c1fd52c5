#include "base/writer_temp_names.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <mutex>
#include <set>

namespace fs = std::filesystem;

namespace tw {
namespace {

constexpr std::string_view kSuffix = ".twtmp";

std::atomic<unsigned long long> writeCount{0};

// The digits before the last '.' of name, taken off it; nothing when they are not there.
std::optional<unsigned long long> TakeNumber(std::string_view& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(dot + 1);
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    name = name.substr(0, dot);
    return value;
}

// Signal 0 only asks whether the process exists; EPERM means it does, as another user's.
bool IsRunning(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// Whether this process looks through the directory for the first time, marking it looked at.
// Another spelling of the same directory is looked through again, which costs only time.
bool FirstLookAt(const std::string& dir) {
    static std::mutex mutex;
    static std::set<std::string> seen;
    const std::lock_guard lock(mutex);
    return seen.insert(dir).second;
}

}  // namespace

std::string UniqueTempPathFor(const std::string& target) {
    const fs::path path(target);
    const std::string name = path.filename().string();
    const std::string head = name.substr(0, std::min(name.size(), kTempNameHeadBytes));
    const std::string temp = "." + head + "." + std::to_string(::getpid()) + "." +
                             std::to_string(++writeCount) + std::string(kSuffix);
    return (path.parent_path() / temp).string();
}

std::optional<pid_t> TempNameOwner(std::string_view fileName) {
    if (!fileName.starts_with('.') || !fileName.ends_with(kSuffix)) {
        return std::nullopt;
    }
    fileName.remove_suffix(kSuffix.size());
    if (!TakeNumber(fileName)) {
        return std::nullopt;
    }
    const std::optional<unsigned long long> pid = TakeNumber(fileName);
    if (!pid || *pid == 0 || *pid > 0x7FFFFFFF) {
        return std::nullopt;
    }
    return static_cast<pid_t>(*pid);
}

void RemoveLeftoverTempFiles(const std::string& dir) {
    if (!FirstLookAt(dir)) {
        return;
    }
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::optional<pid_t> owner = TempNameOwner(it->path().filename().string());
        if (owner && *owner != ::getpid() && !IsRunning(*owner)) {
            ::unlink(it->path().c_str());
        }
    }
}

}  // namespace tw
