// Every #include of src/ stays in its own layer or goes down, as layers.txt beside this test
// allows: a file of the model never reaches the tester, the core never reaches the editor.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tw {
namespace {

namespace fs = std::filesystem;

using Layers = std::map<std::string, std::set<std::string>>;

Layers ReadDirectLayers() {
    std::ifstream in(fs::path(TW_SOURCE_DIR) / "tests" / "layers" / "layers.txt");
    Layers layers;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t colon = line.find(':');
        std::istringstream below(line.substr(colon + 1));
        std::set<std::string>& allowed = layers[line.substr(0, colon)];
        for (std::string name; below >> name;) {
            allowed.insert(name);
        }
    }
    return layers;
}

// Each folder with every folder it may reach, itself included.
Layers Closure(const Layers& direct) {
    Layers closed;
    for (const auto& [folder, below] : direct) {
        std::set<std::string>& reach = closed[folder];
        std::vector<std::string> pending{folder};
        while (!pending.empty()) {
            const std::string next = pending.back();
            pending.pop_back();
            if (!reach.insert(next).second) {
                continue;
            }
            const auto found = direct.find(next);
            if (found != direct.end()) {
                pending.insert(pending.end(), found->second.begin(), found->second.end());
            }
        }
    }
    return closed;
}

TEST(Layers, NoIncludeGoesUpALayer) {
    const Layers direct = ReadDirectLayers();
    ASSERT_FALSE(direct.empty()) << "layers.txt not read";
    for (const auto& [folder, below] : direct) {
        for (const std::string& name : below) {
            EXPECT_TRUE(direct.count(name)) << folder << " builds on unknown folder " << name;
        }
    }
    const Layers allowed = Closure(direct);
    const fs::path src = fs::path(TW_SOURCE_DIR) / "src";
    const std::regex include(R"re(^\s*#\s*include\s+"([^"]+)/[^/"]+")re");
    std::size_t includes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp") {
            continue;
        }
        const std::string folder = entry.path().parent_path().lexically_relative(src).string();
        const auto layer = allowed.find(folder);
        ASSERT_NE(layer, allowed.end()) << "folder " << folder << " is in no layer";
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (std::regex_search(line, match, include)) {
                ++includes;
                EXPECT_TRUE(layer->second.count(match[1].str()))
                    << entry.path().lexically_relative(src).string() << " includes "
                    << match[1].str() << ", above its layer";
            }
        }
    }
    EXPECT_GT(includes, 500u);  // the walk found the sources
}

}  // namespace
}  // namespace tw
