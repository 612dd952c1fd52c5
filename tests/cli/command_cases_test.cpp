// Runs every session of tests/cli/data/commands/*.txt against talkwright-cli, in a fresh
// copy of tests/cli/data/commands/files as the working directory. A session is a series of
// cases, each a line "$ talkwright-cli ARGS" or "$ HELPER ARGS" followed by its lines:
// "< TEXT" is a line of standard input, "! TEXT" a line it must write to standard error,
// "exit N" its exit status (0 when left out) and any other line one it must write to standard
// output ("|TEXT" for an output line that would read as something else). A blank line or the
// next "$" ends a case; "#" lines are comments. ARGS are split at blanks; "double quotes" keep
// blanks in a word, and \n in them is a line break; a word "@/PATH" is PATH in the source
// tree. The helpers lay out and inspect files: cat FILE, write FILE (its standard input),
// mkdir DIR, ln TARGET LINK (a directory link), mkfifo FILE, truncate FILE SIZE (sparse),
// cp SOURCE DEST and cmp FILE EXPECTED. "limits NAME=BYTES..." makes the input limits of the
// commands that follow small (none named: as shipped), and "stdout full" gives them a
// standard output that takes nothing, as /dev/full ("stdout" alone puts it back).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/checked_run.h"
#include "cli/cli_command.h"
#include "cli/cli_main.h"
#include "support/expected_file.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kSessionDir = fs::path(TW_SOURCE_DIR) / "tests" / "cli" / "data" / "commands";

struct Case {
    int line = 0;
    std::vector<std::string> words;
    std::string in, out, err;
    int status = 0;
};

// "@/PATH" is PATH in the source tree.
std::string SourcePath(const std::string& word) {
    return word.starts_with("@/") ? std::string(TW_SOURCE_DIR) + word.substr(1) : word;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : text + " ") {
        if (quoted && word.ends_with('\\') && c == 'n') {
            word.back() = '\n';
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any)
                words.push_back(SourcePath(word));
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    return words;
}

std::vector<Case> ReadSession(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<Case> cases;
    bool open = false;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (line.starts_with("$ ")) {
            cases.push_back(Case{number, Words(line.substr(2)), {}, {}, {}, 0});
            open = true;
        } else if (line.empty() || line.starts_with('#') || !open) {
            open = open && !line.empty();
        } else if (line.starts_with("< ") || line == "<") {
            cases.back().in += line.substr(std::min<std::size_t>(2, line.size())) + "\n";
        } else if (line.starts_with("! ") || line == "!") {
            cases.back().err += line.substr(std::min<std::size_t>(2, line.size())) + "\n";
        } else if (line.starts_with('|')) {
            cases.back().out += line.substr(1) + "\n";
        } else if (line.starts_with("exit ")) {
            cases.back().status = std::stoi(line.substr(5));
        } else {
            cases.back().out += line + "\n";
        }
    }
    return cases;
}

// The helpers a session uses to lay out and inspect files around the commands.
int RunHelper(const std::vector<std::string>& words, const std::string& in, std::ostream& out,
              std::ostream& err) {
    const std::string& name = words[0];
    if (name == "cat") {
        std::ifstream file(words.at(1), std::ios::binary);
        if (!file) {
            err << words[1] << ": no such file\n";
            return 1;
        }
        out << file.rdbuf();
    } else if (name == "write") {
        std::ofstream(words.at(1), std::ios::binary) << in;
    } else if (name == "mkdir") {
        fs::create_directories(words.at(1));
    } else if (name == "cmp") {
        const std::string expected = tw::test::ReadBytes(words.at(2));
        if (tw::test::ReadBytes(words.at(1)) != expected) {
            err << words[1] << " differs from " << words[2] << "\n";
            return 1;
        }
    } else if (name == "mkfifo") {
        ::mkfifo(words.at(1).c_str(), 0600);
    } else if (name == "truncate") {
        fs::resize_file(words.at(1), std::stoull(words.at(2)));
    } else if (name == "ln") {
        fs::create_directory_symlink(words.at(1), words.at(2));
    } else {
        fs::copy_file(words.at(1), words.at(2), fs::copy_options::overwrite_existing);
    }
    return 0;
}

// A standard output that takes nothing.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// How the commands of a session run: through the program's entry, or with small limits or
// a full standard output straight through their own.
struct Surroundings {
    InputLimits limits;
    bool small = false;
    bool fullOutput = false;

    bool Set(const std::vector<std::string>& words) {
        if (words[0] == "stdout") {
            fullOutput = words.size() > 1;
        } else if (words[0] == "limits") {
            limits = {};
            small = words.size() > 1;
            for (std::size_t i = 1; i < words.size(); ++i) {
                const std::size_t equals = words[i].find('=');
                const std::uint64_t bytes = std::stoull(words[i].substr(equals + 1));
                const std::string name = words[i].substr(0, equals);
                (name == "dialogue" ? limits.dialogueBytes
                 : name == "state"  ? limits.stateFileBytes
                                    : limits.lineBytes) = bytes;
            }
        } else {
            return false;
        }
        return true;
    }

    int Run(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) const {
        if (!small && !fullOutput) {
            return RunCliMain(args, in, out, err);
        }
        FullBuffer full;
        std::ostream fullOut(&full);
        return RunChecked(
            *FindCliCommand(args.at(0)),
            Invocation{std::span(args).subspan(1), in, fullOutput ? fullOut : out, err, limits});
    }
};

class CommandSession : public testing::TestWithParam<std::string> {};

TEST_P(CommandSession, EveryCaseWritesWhatItShould) {
    const std::vector<Case> cases = ReadSession(kSessionDir / (GetParam() + ".txt"));
    ASSERT_FALSE(cases.empty());
    const tw::test::TempDir dir;
    fs::copy(kSessionDir / "files", dir.Path(), fs::copy_options::recursive);
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    Surroundings surroundings;
    for (const Case& c : cases) {
        SCOPED_TRACE(GetParam() + ".txt:" + std::to_string(c.line));
        std::istringstream in(c.in);
        std::ostringstream out, err;
        int status = 0;
        if (c.words.at(0) == "talkwright-cli") {
            const std::vector<std::string_view> args(c.words.begin() + 1, c.words.end());
            status = surroundings.Run(args, in, out, err);
        } else if (!surroundings.Set(c.words)) {
            status = RunHelper(c.words, c.in, out, err);
        }
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
        EXPECT_EQ(status, c.status);
    }
    fs::current_path(previous);
}

INSTANTIATE_TEST_SUITE_P(Sessions, CommandSession,
                         testing::ValuesIn(tw::test::FileStemsIn(kSessionDir, ".txt")),
                         tw::test::CaseFileTestName);

}  // namespace
}  // namespace tw::cli
