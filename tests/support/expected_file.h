#pragma once

// Compares an output with the file that holds what it must be. On a difference the output
// is written beside the build as NAME.actual, so a changed expectation can be read in full
// and, once checked, copied over the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

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

// The names of the files in dir that end in one of the extensions, in name order.
inline std::vector<std::string> FileNamesIn(const std::filesystem::path& dir,
                                            const std::set<std::string>& extensions) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (extensions.contains(entry.path().extension().string())) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The same names without the extension, for cases made of several files of one name.
inline std::vector<std::string> FileStemsIn(const std::filesystem::path& dir,
                                            const std::string& extension) {
    std::vector<std::string> names = FileNamesIn(dir, {extension});
    for (std::string& name : names) {
        name.resize(name.size() - extension.size());
    }
    return names;
}

// A case file's name as the name of its test, which takes no dots.
inline std::string CaseFileTestName(const testing::TestParamInfo<std::string>& param) {
    std::string name = param.param;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

}  // namespace tw::test
