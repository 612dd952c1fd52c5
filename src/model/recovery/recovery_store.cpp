#include "model/recovery/recovery_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "base/file_write.h"
#include "model/dialogue.h"
#include "model/file.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

constexpr std::string_view kDialogueExtension = ".vrx";
constexpr std::string_view kRecordExtension = ".record";
constexpr std::string_view kLockExtension = ".lock";

// "e" and 16 hex digits, drawn anew for each store, so no two editors, now or after a
// restart, share one.
std::string NewOwnerId() {
    std::random_device random;
    const std::uint64_t value = (std::uint64_t{random()} << 32) ^ random();
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string id = "e";
    for (int shift = 60; shift >= 0; shift -= 4) {
        id += kHex[(value >> shift) & 0xF];
    }
    return id;
}

bool IsOwnerId(std::string_view text) {
    return text.size() == 17 && text[0] == 'e' &&
           text.find_first_not_of("0123456789abcdef", 1) == std::string_view::npos;
}

// The owner of a copy id "OWNER-KEY"; nothing for anything else.
std::optional<std::string_view> OwnerOf(std::string_view id) {
    const std::size_t dash = id.find('-');
    if (dash == std::string_view::npos || !IsOwnerId(id.substr(0, dash))) {
        return std::nullopt;
    }
    const std::string_view key = id.substr(dash + 1);
    if (key.empty() || key.size() > 19 ||
        key.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    return id.substr(0, dash);
}

// A file of the store: the copy id or owner it belongs to, and its extension.
struct StoreFile {
    std::string name;
    std::string_view extension;
};

std::optional<StoreFile> ParseFileName(const std::string& fileName) {
    for (const std::string_view extension :
         {kDialogueExtension, kRecordExtension, kLockExtension}) {
        if (fileName.ends_with(extension)) {
            std::string name = fileName.substr(0, fileName.size() - extension.size());
            const bool valid =
                extension == kLockExtension ? IsOwnerId(name) : OwnerOf(name).has_value();
            return valid ? std::optional<StoreFile>({std::move(name), extension}) : std::nullopt;
        }
    }
    return std::nullopt;
}

std::string Reason() {
    return std::strerror(errno);
}

}  // namespace

RecoveryStore::RecoveryStore(std::string dir) : dir_(std::move(dir)), owner_(NewOwnerId()) {
    std::error_code error;
    if (fs::create_directories(dir_, error)) {
        fs::permissions(dir_, fs::perms::owner_all, error);
    }
    if (error || !fs::is_directory(dir_, error)) {
        openError_ = "Unable to make the recovery directory " + dir_ +
                     (error ? " (" + error.message() + ")." : ".");
        return;
    }
    openError_ = TakeLock();
}

RecoveryStore::~RecoveryStore() {
    if (lockFd_ >= 0) {
        ::unlink(PathOf(owner_, kLockExtension).c_str());
        ::close(lockFd_);
    }
}

// The lock file is locked under a name of its own first and then renamed into place, so a
// lock file under its real name is always locked while its store lives.
std::optional<std::string> RecoveryStore::TakeLock() {
    const std::string lock = PathOf(owner_, kLockExtension);
    const std::string fresh = lock + ".new";
    const int fd = ::open(fresh.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        return "Unable to create the recovery lock " + fresh + " (" + Reason() + ").";
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(fresh.c_str(), lock.c_str()) != 0) {
        const std::string reason = Reason();
        ::unlink(fresh.c_str());
        ::close(fd);
        return "Unable to take the recovery lock " + lock + " (" + reason + ").";
    }
    lockFd_ = fd;
    return std::nullopt;
}

std::string RecoveryStore::PathOf(std::string_view name, std::string_view extension) const {
    return (fs::path(dir_) / (std::string(name) + std::string(extension))).string();
}

std::string RecoveryStore::IdOf(std::uint64_t key) const {
    return owner_ + "-" + std::to_string(key);
}

std::uint64_t RecoveryStore::NewKey() {
    return nextKey_++;
}

std::optional<std::string> RecoveryStore::WriteCopy(std::uint64_t key, const RecoveryRecord& record,
                                                    std::string_view dialogueBytes) {
    if (openError_) {
        return openError_;
    }
    const std::string id = IdOf(key);
    if (auto error = ReplaceFileAtomically(PathOf(id, kDialogueExtension), dialogueBytes)) {
        return error;
    }
    return ReplaceFileAtomically(PathOf(id, kRecordExtension), WriteRecoveryRecord(record));
}

void RecoveryStore::RemoveCopy(std::uint64_t key) {
    if (openError_) {
        return;
    }
    const std::string id = IdOf(key);
    ::unlink(PathOf(id, kRecordExtension).c_str());
    ::unlink(PathOf(id, kDialogueExtension).c_str());
}

// A store's lock is held for as long as it lives; a free or missing lock means its editor
// has ended. A lock that can't be looked at is taken as held, so nothing is taken from an
// editor that may still be running.
bool RecoveryStore::IsOwnerRunning(std::string_view owner) const {
    if (owner == owner_) {
        return true;
    }
    const int fd = ::open(PathOf(owner, kLockExtension).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno != ENOENT;
    }
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

std::optional<std::string> RecoveryStore::CheckLeft(const std::string& id) const {
    if (openError_) {
        return openError_;
    }
    const std::optional<std::string_view> owner = OwnerOf(id);
    if (!owner) {
        return "There is no recovery copy " + id + ".";
    }
    if (IsOwnerRunning(*owner)) {
        return "The recovery copy " + id + " belongs to an editor that is running.";
    }
    return std::nullopt;
}

std::optional<RecoveryCopy> RecoveryStore::ReadLeftCopy(const std::string& id,
                                                        std::string& problem) const {
    BinaryFile file;
    if (file.OpenRegularForReading(PathOf(id, kRecordExtension)) != RegularFileOpen::kOpened) {
        problem = "its record can't be read";
        return std::nullopt;
    }
    const File::BoundedBytes text = file.ReadAtMost(kMaxRecoveryRecordBytes);
    const RecoveryRecordRead read = text.status == File::BoundedBytes::kComplete
                                        ? ReadRecoveryRecord(text.bytes)
                                        : RecoveryRecordRead{std::nullopt, "it can't be read"};
    if (!read.record) {
        problem = "its record is damaged (" + read.error + ")";
        return std::nullopt;
    }
    RecoveryCopy copy{id, PathOf(id, kDialogueExtension), *read.record};
    Dialogue dialogue;
    if (const std::optional<std::string> error = dialogue.Load(copy.dialoguePath)) {
        problem = "its dialogue can't be read (" + *error + ")";
        return std::nullopt;
    }
    return copy;
}

// A lock file whose editor has ended and left no copies is of no more use.
void RecoveryStore::RemoveLockIfIdle(std::string_view owner) const {
    if (!IsOwnerRunning(owner)) {
        ::unlink(PathOf(owner, kLockExtension).c_str());
    }
}

RecoveryListing RecoveryStore::ListLeftCopies() {
    RecoveryListing listing;
    if (openError_) {
        return listing;
    }
    std::set<std::string> ids;
    std::set<std::string> idleOwners;
    std::error_code error;
    for (fs::directory_iterator it(dir_, error), end; !error && it != end; it.increment(error)) {
        const std::optional<StoreFile> file = ParseFileName(it->path().filename().string());
        if (file && file->extension == kLockExtension) {
            idleOwners.insert(file->name);
        } else if (file) {
            ids.insert(file->name);
        }
    }
    std::map<std::string, bool, std::less<>> running;
    for (const std::string& id : ids) {
        const std::string owner(*OwnerOf(id));
        idleOwners.erase(owner);
        const auto known = running.try_emplace(owner, false);
        if (known.second) {
            known.first->second = IsOwnerRunning(owner);
        }
        if (known.first->second) {
            continue;
        }
        std::string problem;
        if (std::optional<RecoveryCopy> copy = ReadLeftCopy(id, problem)) {
            listing.copies.push_back(std::move(*copy));
        } else {
            listing.skipped.push_back(
                {id, "The recovery copy " + id + " was skipped: " + problem + "."});
        }
    }
    for (const std::string& owner : idleOwners) {
        RemoveLockIfIdle(owner);
    }
    std::stable_sort(
        listing.copies.begin(), listing.copies.end(),
        [](const auto& a, const auto& b) { return a.record.savedAt > b.record.savedAt; });
    return listing;
}

std::optional<std::string> RecoveryStore::Adopt(const std::string& id, std::uint64_t& key) {
    if (auto error = CheckLeft(id)) {
        return error;
    }
    const std::uint64_t adopted = NewKey();
    const std::string own = IdOf(adopted);
    // The record goes first: whoever renames it has the copy, and the other editor finds
    // it gone.
    if (::rename(PathOf(id, kRecordExtension).c_str(), PathOf(own, kRecordExtension).c_str()) !=
        0) {
        return "The recovery copy " + id + " is gone (" + Reason() + ").";
    }
    if (::rename(PathOf(id, kDialogueExtension).c_str(), PathOf(own, kDialogueExtension).c_str()) !=
        0) {
        const std::string reason = Reason();
        ::rename(PathOf(own, kRecordExtension).c_str(), PathOf(id, kRecordExtension).c_str());
        return "The recovery copy " + id + " can't be taken (" + reason + ").";
    }
    key = adopted;
    return std::nullopt;
}

std::optional<std::string> RecoveryStore::Remove(const std::string& id) {
    if (auto error = CheckLeft(id)) {
        return error;
    }
    for (const std::string_view extension : {kRecordExtension, kDialogueExtension}) {
        if (::unlink(PathOf(id, extension).c_str()) != 0 && errno != ENOENT) {
            return "Unable to remove the recovery copy " + id + " (" + Reason() + ").";
        }
    }
    return std::nullopt;
}

}  // namespace tw
