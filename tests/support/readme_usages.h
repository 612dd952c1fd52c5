#pragma once

#include <fstream>
#include <set>
#include <string>

namespace tw::test {

// The usage lines of the README's "### `talkwright-cli ...`" headings.
inline std::set<std::string> ReadmeUsages() {
    std::ifstream in(std::string(TW_SOURCE_DIR) + "/README.md");
    const std::string prefix = "### `talkwright-cli ";
    std::set<std::string> usages;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(prefix) && line.ends_with("`")) {
            usages.insert(line.substr(prefix.size(), line.size() - prefix.size() - 1));
        }
    }
    return usages;
}

}  // namespace tw::test
