#pragma once

// The names a write gives its new file beside the target just before the rename, and the
// clearing of those that writers killed on the way left behind. Every write has a name of
// its own, so writers of one target, in one process or many, never take each other's file.

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// At most this much of the target's file name starts a temporary name, so that the name of
// any file that can exist leaves room for the rest.
inline constexpr std::size_t kTempNameHeadBytes = 48;

// A path beside target that no other write uses: ".HEAD.PID.N.twtmp", HEAD the start of the
// target's file name, PID this process and N the count of this process's writes.
std::string UniqueTempPathFor(const std::string& target);

// The process that made a temporary name; nothing for any other file name.
std::optional<pid_t> TempNameOwner(std::string_view fileName);

// Removes the temporary files in dir whose writer is no longer running (a write killed
// between naming its file and the rename). A directory is looked through once in a
// process's life, at its first write there, so writing many files costs one look.
void RemoveLeftoverTempFiles(const std::string& dir);

}  // namespace tw
