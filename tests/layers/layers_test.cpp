// Every #include of src/ stays in its own layer or goes down, as layers.txt beside this test
// allows: a file of the model never reaches the tester, the core never reaches the editor.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tw {
namespace {

namespace fs = std::filesystem;

using Layers = std::map<std::string, std::set<std::string>>;

// Read by hand: std::regex's inlined automaton trips GCC's maybe-uninitialized warning in
// the sanitizer build. The folder of a quoted include with a folder ("model/node.h" gives "model"),
// or "" for any other line.
std::string IncludedFolder(const std::string& line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') {
        return {};
    }
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) {
        return {};
    }
    const std::size_t open = line.find_first_not_of(" \t", at + 7);
    if (open == std::string::npos || line[open] != '"') {
        return {};
    }
    const std::size_t close = line.find('"', open + 1);
    const std::size_t slash = line.rfind('/', close);
    if (close == std::string::npos || slash == std::string::npos || slash < open) {
        return {};
    }
    return line.substr(open + 1, slash - open - 1);
}

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
        for (std::string line; std::getline(in, line);) {
            const std::string included = IncludedFolder(line);
            if (!included.empty()) {
                ++includes;
                EXPECT_TRUE(layer->second.count(included))
                    << entry.path().lexically_relative(src).string() << " includes " << included
                    << ", above its layer";
            }
        }
    }
    EXPECT_GT(includes, 500u);  // the walk found the sources
}

}  // namespace
}  // namespace tw
