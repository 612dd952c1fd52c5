// The export's file: the block writer stores LF as CR LF wherever a block ends, writes as it
// goes, and stops at the first failed write; the streamed export is the in-memory script,
// byte for byte; a folder in the file's place is refused (the file replaced keeps its
// permissions as a save's does: model/file_faults_test).

#include "export/export_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/file_write.h"
#include "export/crlf_block_writer.h"
#include "export/dialogue_export.h"
#include "generator/dialogue_generator.h"
#include "model/file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;

constexpr std::size_t kBlock = CrLfBlockWriter::kBlockBytes;

// Text whose line ends fall just before, on and just after each block boundary, once the
// CR of every earlier line end has shifted them.
std::string TextAroundBoundaries() {
    std::string text;
    for (std::size_t i = 0; text.size() < 3 * kBlock; ++i) {
        text.append(i % 7 == 0 ? 1 : 97 + i % 13, static_cast<char>('a' + i % 26));
        text.push_back('\n');
    }
    return text;
}

class OpenFile {
public:
    explicit OpenFile(const std::string& path)
        : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)) {}
    ~OpenFile() { ::close(fd_); }
    int Fd() const { return fd_; }

private:
    int fd_;
};

TEST(CrLfBlockWriter, PiecesOfAnySizeComeOutAsOneCrLfText) {
    TempDir dir;
    const std::string text = TextAroundBoundaries();
    {
        OpenFile file(dir / "pieces.txt");
        CrLfBlockWriter out(file.Fd());
        // Whole lines, single characters and one piece larger than a block.
        out.Put(std::string_view(text).substr(0, 1000));
        for (char c : std::string_view(text).substr(1000, 5000)) {
            out.Put(c);
        }
        out.Put(std::string_view(text).substr(6000));
        EXPECT_GT(std::filesystem::file_size(dir / "pieces.txt"), 0u) << "nothing written yet";
        ASSERT_TRUE(out.Finish());
    }
    EXPECT_EQ(ReadBytes(dir / "pieces.txt"), ToCrLf(text));

    OpenFile empty(dir / "empty.txt");
    EXPECT_TRUE(CrLfBlockWriter(empty.Fd()).Finish());
    EXPECT_EQ(ReadBytes(dir / "empty.txt"), "");
}

std::vector<std::size_t> writeSizes;
ssize_t RecordingWrite(int fd, const void* data, std::size_t size) {
    writeSizes.push_back(size);
    return ::write(fd, data, size);
}

// The script's punctuation goes in without a look for line feeds and its line ends as CR LF
// pairs; a pair that meets the end of a block is split over two, and every block but the
// last is written whole.
TEST(CrLfBlockWriter, RawPiecesAndLineEndsFillWholeBlocks) {
    TempDir dir;
    std::string expected;
    writeSizes.clear();
    const WriteCall previous = SetWriteCallForTesting(&RecordingWrite);
    {
        OpenFile file(dir / "raw.txt");
        CrLfBlockWriter out(file.Fd());
        const std::string filler(kBlock - 1, 'r');
        out.PutRaw(filler);  // one byte of room left: the line end straddles the boundary
        out.PutLineEnd();
        expected += filler + "\r\n";
        const std::string huge(2 * kBlock + 5, 'h');
        out.PutRaw(huge);
        expected += huge;
        for (int i = 0; i < 1000; ++i) {
            out.PutRaw("[Add ");
            out.Put("A1\nB");
            out.PutLineEnd();
            expected += "[Add A1\r\nB\r\n";
        }
        ASSERT_TRUE(out.Finish());
    }
    SetWriteCallForTesting(previous);
    EXPECT_EQ(ReadBytes(dir / "raw.txt"), expected);
    ASSERT_EQ(writeSizes.size(), expected.size() / kBlock + 1);
    for (std::size_t i = 0; i + 1 < writeSizes.size(); ++i) {
        EXPECT_EQ(writeSizes[i], kBlock) << "write " << i;
    }
    EXPECT_EQ(writeSizes.back(), expected.size() % kBlock);
}

int writesAfterFailure = 0;
bool failed = false;

// Takes the first block, then reports a full disk.
ssize_t FullAfterOneBlock(int fd, const void* data, std::size_t size) {
    if (failed) {
        ++writesAfterFailure;
    }
    static std::size_t taken = 0;
    if (fd >= 0 && taken < kBlock) {
        const ssize_t written = ::write(fd, data, std::min(size, kBlock - taken));
        taken += static_cast<std::size_t>(written);
        return written;
    }
    failed = true;
    errno = ENOSPC;
    return -1;
}

TEST(CrLfBlockWriter, AFailedWriteIsReportedWithItsErrorAndEndsTheWriting) {
    TempDir dir;
    OpenFile file(dir / "full.txt");
    const WriteCall previous = SetWriteCallForTesting(&FullAfterOneBlock);
    CrLfBlockWriter out(file.Fd());
    const std::string text = TextAroundBoundaries();
    out.Put(text);
    out.Put(text);
    errno = 0;
    const bool finished = out.Finish();
    const int error = errno;
    SetWriteCallForTesting(previous);
    EXPECT_FALSE(finished);
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(writesAfterFailure, 0);
    EXPECT_EQ(ReadBytes(dir / "full.txt"), ToCrLf(text).substr(0, kBlock));
}

TEST(CrLfBlockWriter, TheStreamedExportIsTheScriptWithCrLf) {
    TempDir dir;
    GeneratorOptions options;
    options.nodes = 3000;  // a script of several blocks
    options.seed = 16;
    const auto dialogue = GenerateDialogue(options);
    const std::string expected = ToCrLf(ExportScript(*dialogue));
    ASSERT_GT(expected.size(), 2 * kBlock);
    ASSERT_EQ(Export(*dialogue, dir / "all.txt"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "all.txt"), expected);
}

// A directory in the file's place is refused and nothing is left beside it; the other
// outputs that can't be made are in the command session data/commands/export.txt.
TEST(ExportFile, ADirectoryInPlaceOfTheFileIsRefusedLeavingNothing) {
    TempDir dir;
    fs::create_directory(dir / "out.txt");
    EXPECT_EQ(WriteExportFile(dir / "out.txt", "text\n"), "Unable to create output file");
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"out.txt"});
}

// An export file whose write fails part way, and a link whose target is replaced, are in
// model/file_faults_test: the export replaces its file as a save does.

}  // namespace
}  // namespace tw
