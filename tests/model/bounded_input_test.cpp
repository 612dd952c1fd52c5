// The readers refuse what is larger than a dialogue can be, and read no further than the
// size and the header allow: sparse files, /dev/zero and pipes stay cheap.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/input_limits.h"
#include "model/dialogue.h"
#include "model/dialogue_bytes.h"
#include "model/dialogue_file_format.h"
#include "model/dialogue_json.h"
#include "model/file.h"
#include "script/excerpt.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::TempDir;
using test::WriteBytes;

// A file of that size that takes no disk space.
void MakeSparseFile(const std::string& path, std::uintmax_t size, const std::string& head = {}) {
    WriteBytes(path, head);
    std::filesystem::resize_file(path, size);
}

std::string SmallDialogueBytes() {
    Dialogue dialogue;
    dialogue.Npc().name = "Brannoc";
    return dialogue.Write();
}

// The messages that name sizes and limits, the load's limit, JSON where it is taken, and
// folders, pipes and devices given as dialogues are in the command sessions
// data/commands/bounded_input.txt and unreadable_inputs.txt.

// The bytes already read come first and count towards the limit; an endless device costs
// no more than the limit, and a stream whose size is unknown grows its buffer until the
// end, however long it is.
TEST(BoundedReadTest, ReadAtMostStopsAtTheLimitAfterThePrefix) {
    TempDir dir;
    WriteBytes(dir / "ten", "0123456789");
    BinaryFile exact(dir / "ten", File::kRead);
    EXPECT_EQ(exact.RegularFileSize(), 10u);
    const File::BoundedBytes whole = exact.ReadAtMost(10);
    EXPECT_EQ(whole.status, File::BoundedBytes::kComplete);
    EXPECT_EQ(whole.bytes, "0123456789");

    BinaryFile rest(dir / "ten", File::kRead);
    ASSERT_EQ(rest.ReadUpTo(4), "0123");
    const File::BoundedBytes joined = rest.ReadAtMost(10, "0123");
    EXPECT_EQ(joined.status, File::BoundedBytes::kComplete);
    EXPECT_EQ(joined.bytes, "0123456789");

    BinaryFile over(dir / "ten", File::kRead);
    ASSERT_EQ(over.ReadUpTo(4), "0123");
    EXPECT_EQ(over.ReadAtMost(5).status, File::BoundedBytes::kTooLarge);
    BinaryFile overWithPrefix(dir / "ten", File::kRead);
    ASSERT_EQ(overWithPrefix.ReadUpTo(4), "0123");
    EXPECT_EQ(overWithPrefix.ReadAtMost(9, "0123").status, File::BoundedBytes::kTooLarge);
    EXPECT_EQ(overWithPrefix.ReadAtMost(3, "0123").status, File::BoundedBytes::kTooLarge);

    BinaryFile zero("/dev/zero", File::kRead);
    EXPECT_EQ(zero.RegularFileSize(), std::nullopt);
    const File::BoundedBytes endless = zero.ReadAtMost(1 << 20);
    EXPECT_EQ(endless.status, File::BoundedBytes::kTooLarge);
    EXPECT_TRUE(endless.bytes.empty());

    std::string big;
    for (int i = 0; big.size() < 700000; ++i) {
        big += std::to_string(i) + ',';
    }
    WriteBytes(dir / "big", big);
    std::FILE* pipe = ::popen(("cat '" + (dir / "big") + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    const int fd = ::dup(::fileno(pipe));
    BinaryFile piped("/dev/fd/" + std::to_string(fd), File::kRead);
    ::close(fd);
    EXPECT_EQ(piped.RegularFileSize(), std::nullopt);
    const File::BoundedBytes all = piped.ReadAtMost(big.size() + 5, "head:");
    ::pclose(pipe);
    EXPECT_EQ(all.status, File::BoundedBytes::kComplete);
    EXPECT_EQ(all.bytes.size(), big.size() + 5);
    EXPECT_TRUE(all.bytes == "head:" + big);  // too long to print on failure
}

TEST(ReadDialogueBytesTest, TheHeaderIsCheckedBeforeTheRestIsRead) {
    TempDir dir;
    // The sparse files are not read past their first eight bytes: reading them would take
    // seconds.
    std::string newer = SmallDialogueBytes().substr(0, 8);
    newer[4] = 103;
    MakeSparseFile(dir / "newer.vrx", std::uintmax_t{1} << 30, newer);
    EXPECT_EQ(ReadDialogueBytes(dir / "newer.vrx", DialogueForms::kFileOnly).error,
              kNewerVersionMessage);
    MakeSparseFile(dir / "zeros.vrx", std::uintmax_t{1} << 30);
    EXPECT_EQ(ReadDialogueBytes(dir / "zeros.vrx", DialogueForms::kFileOnly).error, kNotVrxMessage);
    // JSON is taken only where it is asked for.
    WriteBytes(dir / "d.json", "  {\"format\": \"talkwright-dialogue\"}");
    EXPECT_EQ(ReadDialogueBytes(dir / "d.json", DialogueForms::kFileOnly).error, kNotVrxMessage);
    // Short and missing files are left to the reader: the session check_and_lint.txt.
}

// nlohmann quotes the whole token it choked on; a 5 MB string becomes an excerpt.
TEST(DialogueJsonExcerptTest, MessagesQuoteOnlyAnExcerptOfTheInput) {
    const std::string huge(5'000'000, 'a');
    Dialogue dialogue;
    const std::optional<std::string> unterminated =
        DialogueFromJson("{\"format\": \"" + huge, dialogue);
    ASSERT_TRUE(unterminated);
    EXPECT_LT(unterminated->size(), 400u) << unterminated->substr(0, 400);
    EXPECT_TRUE(unterminated->ends_with("; last read: '\"" +
                                        std::string(kMaxExcerptBytes - 1, 'a') + "...'"))
        << *unterminated;

    const std::string head = "{\"format\": \"talkwright-dialogue\", ";
    EXPECT_EQ(DialogueFromJson(head + "\"" + huge + "\": 1}", dialogue),
              "not a dialogue: " + Excerpt(huge) + ": unknown key");
    const std::optional<std::string> kind = DialogueFromJson(
        head + "\"nodes\": [{\"depth\": 0, \"commands\": [{\"kind\": \"" + huge + "\"}]}]}",
        dialogue);
    ASSERT_TRUE(kind);
    EXPECT_TRUE(
        kind->starts_with("not a dialogue: nodes[0].commands[0].kind: unknown command "
                          "kind \"" +
                          Excerpt(huge) + "\" (expected manual"))
        << kind->substr(0, 400);
}

}  // namespace
}  // namespace tw
