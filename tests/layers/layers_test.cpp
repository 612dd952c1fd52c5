// Every #include of src/ stays in its own layer or goes down, as layers.txt beside this test
// allows: a file of the model never reaches the tester, the core never reaches the editor.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace tw {
namespace {

namespace fs = std::filesystem;

using Layers = std::map<std::string, std::set<std::string>>;

// Read by hand: std::regex's inlined automaton trips GCC's maybe-uninitialized warning in
// the sanitizer build. The folder of a quoted include with a folder ("model/node.h" gives
// "model"), or "" for any other line; blanks before the quote don't count.
std::string IncludedFolder(const std::string& line) {
    const std::size_t open = line.find('"');
    std::string head = line.substr(0, open);
    std::erase_if(head, [](char c) { return c == ' ' || c == '\t'; });
    const std::size_t close = line.find('"', open + 1);
    const std::size_t slash = line.rfind('/', close);
    if (head != "#include" || close == std::string::npos || slash == std::string::npos ||
        slash < open) {
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

// Adds folder and every folder it may reach to reach.
void Reach(const Layers& direct, const std::string& folder, std::set<std::string>& reach) {
    const auto found = direct.find(folder);
    if (reach.insert(folder).second && found != direct.end()) {
        for (const std::string& below : found->second) {
            Reach(direct, below, reach);
        }
    }
}

TEST(Layers, NoIncludeGoesUpALayer) {
    const Layers direct = ReadDirectLayers();
    ASSERT_FALSE(direct.empty()) << "layers.txt not read";
    for (const auto& [folder, below] : direct) {
        for (const std::string& name : below) {
            EXPECT_TRUE(direct.count(name)) << folder << " builds on unknown folder " << name;
        }
    }
    Layers allowed;
    for (const auto& [folder, below] : direct) {
        Reach(direct, folder, allowed[folder]);
    }
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
