#pragma once

// The one way a file on disk is replaced: the new bytes are written where no one sees
// them, synced, and only then take the place of the old file in a single rename.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Why a replacement failed: no file could be made beside the target (kCreate), or the
// bytes could not be written or put in place (kWrite); error is the errno of that step.
struct ReplaceFailure {
    enum Step { kCreate, kWrite } step = kCreate;
    int error = 0;
};

// The file a save of path replaces: the final target of a symbolic link, so the link
// itself survives; path itself otherwise.
std::string ReplaceTargetOf(const std::string& path);

// Replaces the file at path (through any symbolic link) with bytes. An existing file
// keeps its mode, and its owner where permitted; a new one gets 0666 less the umask.
// On failure the old file is untouched and nothing is left beside it.
std::optional<ReplaceFailure> ReplaceFileContents(const std::string& path, std::string_view bytes);

// The same, with the new contents written by write into the open file: a writer that
// produces the bytes as it goes never holds them all. write returns false with errno set
// when a write fails.
using ContentWriter = std::function<bool(int fd)>;
std::optional<ReplaceFailure> ReplaceFileContents(const std::string& path,
                                                  const ContentWriter& write);

// Whether writes may start as unnamed files (O_TMPFILE) where the file system has them;
// tests turn it off to try the named way that other file systems take.
void SetUnnamedFilesForTesting(bool allowed);

}  // namespace tw
