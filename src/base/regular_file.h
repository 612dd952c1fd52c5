#pragma once

// Opening a file to read it without ever waiting on it. open() of a FIFO waits for a writer
// and a device may never end, so a path is opened without blocking and read only when it
// is a regular file.

#include <string>
#include <string_view>

namespace tw {

// An open descriptor of a regular file, or why there is none.
struct RegularFileOpen {
    enum Status { kOpened, kUnableToOpen, kNotRegular } status = kUnableToOpen;
    int fd = -1;  // blocking again, for ordinary reads; the caller closes it
};

// Opens path for reading when it is a regular file. A missing or unreadable path and a
// directory are kUnableToOpen; a FIFO, device or socket is kNotRegular and never waited on.
RegularFileOpen OpenRegularFile(const std::string& path);

// "This is a device or a pipe, not a regular file, so it was not read as KIND." (KIND "a
// dialogue", "a state file"), or "... so it was not read." for an empty kind.
std::string NotRegularFileMessage(std::string_view kind);

}  // namespace tw
