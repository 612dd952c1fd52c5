#pragma once

// A write call for SetWriteCallForTesting that lets the first writeBudget bytes through,
// then fails every write with ENOSPC, as a disk filling up in the middle of a file does;
// and a fixture that puts it in place and the real write call back after each test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>

#include "base/file_write.h"

namespace tw::test {

inline std::size_t writeBudget = 0;

inline ssize_t FailAfterBudget(int fd, const void* data, std::size_t size) {
    if (writeBudget == 0) {
        errno = ENOSPC;
        return -1;
    }
    const std::size_t now = std::min(size, writeBudget);
    writeBudget -= now;
    return ::write(fd, data, now);
}

class FailingWrites : public testing::Test {
protected:
    void TearDown() override { SetWriteCallForTesting(nullptr); }
    static void FailAfter(std::size_t bytes) {
        writeBudget = bytes;
        SetWriteCallForTesting(&FailAfterBudget);
    }
};

}  // namespace tw::test
