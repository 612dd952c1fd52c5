// test DIR|FILE... [--update]: plays every recorded playthrough NAME.play exactly as
// `play --seed N --input NAME.play` does, from the recording's own directory, and compares
// the transcript with NAME.expected beside it.

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "base/file_write.h"
#include "cli/bounded_text_buffer.h"
#include "cli/command_entry_points.h"
#include "cli/input_text.h"
#include "cli/line_diff.h"
#include "cli/play_run.h"
#include "cli/recording.h"
#include "cli/shown_path.h"
#include "tester/state_editor.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRecordingExtension = ".play";

// Makes a directory the working directory for as long as it lives.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& directory) {
        std::error_code error;
        previous_ = fs::current_path(error);
        if (!error) {
            fs::current_path(directory.empty() ? fs::path(".") : directory, error);
        }
        entered_ = !error;
    }
    ~WorkingDirectory() {
        std::error_code error;
        fs::current_path(previous_, error);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;
    bool Entered() const { return entered_; }

private:
    fs::path previous_;
    bool entered_ = false;
};

// What a recording played to, or why it could not be played.
struct Played {
    std::string transcript;
    std::vector<std::string> errors;
};

class RecordingRunner {
public:
    RecordingRunner(const Invocation& invocation, std::vector<std::string> paths, bool update)
        : invocation_(invocation), paths_(std::move(paths)), update_(update) {}

    int Run() {
        for (const fs::path& recording : Collect()) {
            RunOne(recording);
        }
        invocation_.out << passed_ << " passed, " << failed_ << " failed";
        if (update_) {
            invocation_.out << ", " << updated_ << " updated";
        }
        invocation_.out << '\n';
        return failed_ == 0 ? kExitOk : kExitFailure;
    }

private:
    void Fail(const std::string& path, const std::string& message) {
        invocation_.err << ShownPath(path) << ": " << message << '\n';
        ++failed_;
    }

    // Every .play file below each directory and every file named, in name order.
    std::vector<fs::path> Collect() {
        std::vector<fs::path> found;
        for (const std::string& path : paths_) {
            std::error_code error;
            if (fs::is_directory(path, error)) {
                CollectBelow(path, found);
            } else if (!fs::exists(path, error)) {
                Fail(path, "no such file or directory");
            } else if (!path.ends_with(kRecordingExtension)) {
                Fail(path, "not a recording (NAME.play)");
            } else {
                found.emplace_back(path);
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    void CollectBelow(const std::string& directory, std::vector<fs::path>& found) {
        std::error_code error;
        fs::recursive_directory_iterator entry(
            directory, fs::directory_options::skip_permission_denied, error);
        for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
            if (entry->is_regular_file() && entry->path().extension() == kRecordingExtension) {
                found.push_back(entry->path());
            }
        }
        if (error) {
            Fail(directory, "cannot read the directory: " + error.message());
        }
    }

    // The recording's text and header; nothing when it could not be read (it was said why).
    std::optional<std::pair<std::string, Recording>> Read(const std::string& name) {
        InputText text =
            ReadInputText(name, invocation_.in, invocation_.limits.recordingBytes, "a recording");
        if (text.error) {
            Fail(name, *text.error);
            return std::nullopt;
        }
        RecordingHeader header = ReadRecordingHeader(text.text, invocation_.limits.lineBytes);
        if (header.error) {
            Fail(name, *header.error);
            return std::nullopt;
        }
        return std::make_pair(std::move(text.text), std::move(header.recording));
    }

    std::optional<Played> Play(const fs::path& recording) {
        const std::string name = recording.string();
        const auto read = Read(name);
        if (!read) {
            return std::nullopt;
        }
        const WorkingDirectory here(recording.parent_path());
        if (!here.Entered()) {
            Fail(name, "cannot enter its directory");
            return std::nullopt;
        }
        const auto& [text, r] = *read;
        PlaySetup setup{r.dialogue, r.state, r.seed, r.start,
                        fs::current_path() / std::string(kDefaultStateFileName)};
        std::ostringstream messages;
        PlayRun run("", std::move(setup), messages, invocation_.limits);
        BoundedTextBuffer buffer(invocation_.limits.recordingBytes);
        std::ostream out(&buffer);
        std::istringstream commands(text);
        const int status = run.Play({commands, name, true, out, nullptr});
        return Outcome(status, buffer, messages.str());
    }

    Played Outcome(int status, const BoundedTextBuffer& buffer, const std::string& messages) {
        Played played{buffer.Text(), {}};
        std::istringstream lines(messages);
        for (std::string line; std::getline(lines, line);) {
            played.errors.push_back(line);
        }
        if (buffer.Overflowed()) {
            played.errors.push_back("its transcript is longer than " +
                                    ByteLimitText(invocation_.limits.recordingBytes));
        } else if (status != kExitOk && played.errors.empty()) {
            played.errors.push_back("it could not be played");
        }
        return played;
    }

    void RunOne(const fs::path& recording) {
        const std::string name = recording.string();
        const std::optional<Played> played = Play(recording);
        if (!played) {
            return;
        }
        if (!played->errors.empty()) {
            for (const std::string& error : played->errors) {
                invocation_.err << ShownPath(name) << ": " << error << '\n';
            }
            ++failed_;
            return;
        }
        Compare(recording, played->transcript);
    }

    void Compare(const fs::path& recording, const std::string& transcript) {
        const fs::path expectedPath =
            recording.parent_path() / (recording.stem().string() + ".expected");
        const std::string expectedName = expectedPath.string();
        std::error_code error;
        const bool exists = fs::exists(expectedPath, error);
        const InputText expected =
            exists ? ReadInputText(expectedName, invocation_.in, invocation_.limits.recordingBytes,
                                   "an expected transcript")
                   : InputText{{}, "missing", false};
        if (!expected.error && expected.text == transcript) {
            ++passed_;
        } else if (update_) {
            Update(expectedName, transcript);
        } else if (!exists) {
            Fail(recording.string(),
                 "no " + ShownPath(expectedName) + " beside it (--update writes it)");
        } else if (expected.error) {
            Fail(expectedName, *expected.error);
        } else {
            invocation_.out << UnifiedDiff(expected.text, transcript, ShownPath(expectedName),
                                           ShownPath(recording.string()) + " (as played)");
            ++failed_;
        }
    }

    void Update(const std::string& expectedName, const std::string& transcript) {
        if (const std::optional<std::string> error =
                ReplaceFileAtomically(expectedName, transcript)) {
            Fail(expectedName, WithShownPaths(*error, {expectedName}));
            return;
        }
        invocation_.out << ShownPath(expectedName) << ": updated\n";
        ++updated_;
    }

    const Invocation& invocation_;
    std::vector<std::string> paths_;
    bool update_;
    std::size_t passed_ = 0;
    std::size_t failed_ = 0;
    std::size_t updated_ = 0;
};

}  // namespace

int RunTestCommand(const Invocation& invocation) {
    std::vector<std::string> paths;
    bool update = false;
    for (const std::string_view arg : invocation.args) {
        if (arg == "--update") {
            update = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            invocation.err << "talkwright-cli test: unknown option '" << arg << "'\n";
            return PrintCommandUsage(invocation.err, "test");
        } else {
            paths.emplace_back(arg);
        }
    }
    if (paths.empty()) {
        return PrintCommandUsage(invocation.err, "test");
    }
    return RecordingRunner(invocation, std::move(paths), update).Run();
}

}  // namespace tw::cli
