#pragma once

// Recovery copies: while a document has changes no save holds, the editor keeps a copy of
// it in a directory of its own, so that work survives a crash, a kill or a power cut. Each
// running editor has one store; the copies of an editor that is not running any more are
// offered to the next one.
//
// In the directory each store holds a lock file, "OWNER.lock", locked (flock) for as long
// as the store lives, and for each document it keeps "OWNER-KEY.vrx", the document's bytes
// in the dialogue file format, and "OWNER-KEY.record" (see recovery_record.h). A copy whose
// owner's lock is free was left by an editor that is no longer running.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/recovery/recovery_record.h"

namespace tw {

// A copy an editor left: its id (for Adopt and Remove), its dialogue file (which
// Dialogue::Load reads) and its record.
struct RecoveryCopy {
    std::string id;
    std::string dialoguePath;
    RecoveryRecord record;
};

// A left copy that cannot be offered, with why: its record or its dialogue is damaged or
// missing. Remove(id) throws it away.
struct SkippedRecoveryCopy {
    std::string id;
    std::string message;
};

struct RecoveryListing {
    std::vector<RecoveryCopy> copies;  // the newest first
    std::vector<SkippedRecoveryCopy> skipped;
};

// One running editor's recovery copies. The calls for one document key must not overlap;
// copies of different keys may be written from different threads.
class RecoveryStore {
public:
    // Opens the store in dir, making the directory (readable by its owner only) when it is
    // missing, and takes this store's lock until it is destroyed.
    explicit RecoveryStore(std::string dir);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Why the store can't be used (the directory can't be made, the lock can't be taken);
    // nothing when it can. Every other call of a store that can't be used fails.
    const std::optional<std::string>& OpenError() const { return openError_; }
    const std::string& Directory() const { return dir_; }

    // A key for the copies of one document, not used before in this store.
    std::uint64_t NewKey();
    // Replaces the copy of the document with this key by bytes (its Dialogue::Write()) and
    // the record, through the same safe replacement as a save. The message on failure.
    std::optional<std::string> WriteCopy(std::uint64_t key, const RecoveryRecord& record,
                                         std::string_view dialogueBytes);
    // Removes the copy of the document with this key (it was saved, or closed unsaved on
    // purpose); a key without a copy is no error.
    void RemoveCopy(std::uint64_t key);

    // The copies left by editors that are no longer running, each checked to load. What
    // cannot be offered is skipped with its message.
    RecoveryListing ListLeftCopies();
    // Makes a left copy this store's own under a new key (set in key), so that no other
    // editor offers it while this one works on it; WriteCopy and RemoveCopy then take that
    // key. The message when the copy is gone (another editor took it) or not a left one.
    std::optional<std::string> Adopt(const std::string& id, std::uint64_t& key);
    // Removes a left copy or a skipped one, with its record. The message when it is not a
    // left one (its editor is running) or cannot be removed.
    std::optional<std::string> Remove(const std::string& id);

private:
    std::optional<std::string> TakeLock();
    std::string PathOf(std::string_view name, std::string_view extension) const;
    std::string IdOf(std::uint64_t key) const;
    bool IsOwnerRunning(std::string_view owner) const;
    std::optional<std::string> CheckLeft(const std::string& id) const;
    std::optional<RecoveryCopy> ReadLeftCopy(const std::string& id, std::string& problem) const;
    void RemoveLockIfIdle(std::string_view owner) const;

    std::string dir_;
    std::string owner_;
    int lockFd_ = -1;
    std::optional<std::string> openError_;
    std::atomic<std::uint64_t> nextKey_{1};
};

}  // namespace tw
