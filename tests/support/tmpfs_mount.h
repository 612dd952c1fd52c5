#pragma once

// A small tmpfs mounted on a directory for one test, for faults only a real file system
// shows (a full disk, a directory that turns read-only). Needs root and a kernel that
// lets the process mount; Error() says why not otherwise.

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tw::test {

class TmpfsMount {
public:
    TmpfsMount(const std::string& dir, const std::string& size) : dir_(dir) {
        if (::geteuid() != 0) {
            error_ = "not running as root, so no tmpfs can be mounted";
            return;
        }
        const std::string options = "size=" + size;
        if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            error_ = std::string("mounting a tmpfs failed: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    ~TmpfsMount() {
        if (mounted_) {
            ::umount2(dir_.c_str(), MNT_DETACH);
        }
    }

    const std::string& Error() const { return error_; }
    bool RemountReadOnly() {
        return ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string dir_;
    std::string error_;
    bool mounted_ = false;
};

}  // namespace tw::test
