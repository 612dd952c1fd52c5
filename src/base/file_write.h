#pragma once

// Writing every byte of a file, and replacing a file whole: the low-level writes every
// layer saves and exports through.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The system call WriteAll writes with. Tests swap in one that fails after some bytes;
// nullptr restores ::write. Returns the previous one.
using WriteCall = ssize_t (*)(int, const void*, std::size_t);
WriteCall SetWriteCallForTesting(WriteCall call);

// Writes every byte to fd, retrying interrupted writes; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes);

// Syncs the directory holding path, so a rename into it survives a crash; a directory
// that can't be synced is no error.
void SyncDirectoryOf(const std::string& path);

// Replaces the file at path with bytes without ever leaving it half written (see
// ReplaceFileContents: mode, owner and symbolic links survive; a killed save leaves
// nothing to clean up). Returns the message to show on failure; the old file is then
// untouched.
std::optional<std::string> ReplaceFileAtomically(const std::string& path, std::string_view bytes);
// The same, with the bytes written into the open file by write, which returns false with
// errno set when a write fails.
std::optional<std::string> ReplaceFileAtomically(const std::string& path,
                                                 const std::function<bool(int fd)>& write);

}  // namespace tw
