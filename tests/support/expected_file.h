#pragma once

// Compares an output with the file that holds what it must be. On a difference the output
// is written beside the build as NAME.actual, so a changed expectation can be read in full
// and, once checked, copied over the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace tw::test {

inline void ExpectMatchesFile(const std::string& actual, const std::filesystem::path& expected) {
    const std::string wanted = ReadBytes(expected.string());
    EXPECT_FALSE(wanted.empty()) << "no expectation in " << expected;
    EXPECT_EQ(actual, wanted) << "differs from " << expected;
    if (actual != wanted) {
        WriteBytes(
            (std::filesystem::path(TW_BINARY_DIR) / expected.filename()).string() + ".actual",
            actual);
    }
}

// A case file's name as the name of its test, which takes no dots.
inline std::string CaseFileTestName(const testing::TestParamInfo<std::string>& param) {
    std::string name = param.param;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

}  // namespace tw::test
