#pragma once

// Walks kept in a data file: a line "== name" starts one, and every further line that is
// neither empty nor a "#" comment is one of its steps. One parameterised test runs them all.

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace tw::test {

struct Walk {
    std::string name;
    std::vector<std::string> lines;
};

inline void PrintTo(const Walk& walk, std::ostream* out) {
    *out << walk.name;
}

inline std::vector<Walk> ReadWalks(const std::string& path) {
    std::ifstream in(path);
    std::vector<Walk> walks;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("== ")) {
            walks.push_back({line.substr(3), {}});
        } else if (!line.empty() && line[0] != '#' && !walks.empty()) {
            walks.back().lines.push_back(line);
        }
    }
    return walks;
}

// The walk's name as a test's name: its letters and digits.
inline std::string WalkTestName(const testing::TestParamInfo<Walk>& walk) {
    std::string name = walk.param.name;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return name;
}

}  // namespace tw::test
