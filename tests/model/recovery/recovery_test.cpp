// Recovery copies written, listed, adopted and removed; editors that end, are killed or run
// side by side; damaged copies skipped with their message; and the record kept beside each.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

#include "model/dialogue.h"
#include "model/json_string_bytes.h"
#include "model/recovery/recovery_record.h"
#include "model/recovery/recovery_store.h"
#include "support/expected_file.h"
#include "support/line_cases.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::TempDir;

std::string DialogueBytes(const std::string& npc) {
    Dialogue dialogue;
    dialogue.Npc().name = npc;
    dialogue.AddNode(1, kInitializationNodeId, "Greet", "");
    return dialogue.Write();
}

std::vector<std::string> NpcNames(const RecoveryListing& listing) {
    std::vector<std::string> names;
    for (const RecoveryCopy& copy : listing.copies) {
        names.push_back(copy.record.npcName);
    }
    return names;
}

TEST(RecoveryStore, CopiesOfAnEndedEditorAreOfferedAdoptedAndRemoved) {
    TempDir dir;
    const std::string recovery = dir / "recovery";
    const RecoveryRecord inn{"/home/w/inn.vrx", "Brannoc", 1000};
    const RecoveryRecord untitled{std::nullopt, "Line\nbreak", 2000};
    {
        RecoveryStore ended(recovery);
        ASSERT_EQ(ended.OpenError(), std::nullopt);
        const std::uint64_t a = ended.NewKey();
        const std::uint64_t b = ended.NewKey();
        ASSERT_EQ(ended.WriteCopy(a, {std::nullopt, "old", 1}, DialogueBytes("old")), std::nullopt);
        ASSERT_EQ(ended.WriteCopy(a, inn, DialogueBytes("Brannoc")), std::nullopt);
        ASSERT_EQ(ended.WriteCopy(b, untitled, DialogueBytes("Line\nbreak")), std::nullopt);
        const std::uint64_t saved = ended.NewKey();
        ASSERT_EQ(ended.WriteCopy(saved, inn, DialogueBytes("saved")), std::nullopt);
        ended.RemoveCopy(saved);
        EXPECT_TRUE(ended.ListLeftCopies().copies.empty());
    }
    RecoveryStore next(recovery);
    RecoveryListing listing = next.ListLeftCopies();
    EXPECT_TRUE(listing.skipped.empty());
    ASSERT_EQ(NpcNames(listing), (std::vector<std::string>{"Line\nbreak", "Brannoc"}));
    EXPECT_EQ(listing.copies[0].record, untitled);
    EXPECT_EQ(listing.copies[1].record, inn);
    Dialogue recovered;
    ASSERT_EQ(recovered.Load(listing.copies[1].dialoguePath), std::nullopt);
    EXPECT_EQ(recovered.Npc().name, "Brannoc");

    std::uint64_t key = 0;
    ASSERT_EQ(next.Adopt(listing.copies[1].id, key), std::nullopt);
    EXPECT_NE(next.Adopt(listing.copies[1].id, key), std::nullopt);  // gone now
    ASSERT_EQ(next.Remove(listing.copies[0].id), std::nullopt);
    EXPECT_TRUE(next.ListLeftCopies().copies.empty());
    RecoveryStore third(recovery);
    EXPECT_TRUE(third.ListLeftCopies().copies.empty());  // the adopted copy is next's own
    next.RemoveCopy(key);
    EXPECT_EQ(test::NamesIn(recovery).size(), 2u);  // the lock files of next and third alone
}

TEST(RecoveryStore, TwoRunningEditorsNeverTakeEachOthersCopies) {
    TempDir dir;
    RecoveryStore first(dir / "r");
    RecoveryStore second(dir / "r");
    ASSERT_EQ(first.WriteCopy(first.NewKey(), {std::nullopt, "one", 1}, DialogueBytes("one")),
              std::nullopt);
    ASSERT_EQ(second.WriteCopy(second.NewKey(), {std::nullopt, "two", 2}, DialogueBytes("two")),
              std::nullopt);
    EXPECT_TRUE(first.ListLeftCopies().copies.empty());
    EXPECT_TRUE(second.ListLeftCopies().copies.empty());
    const std::vector<std::string> ids = test::FileStemsIn(dir / "r", ".record");
    ASSERT_EQ(ids.size(), 2u);
    for (const std::string& id : ids) {
        for (RecoveryStore* store : {&first, &second}) {
            std::uint64_t key = 0;
            EXPECT_EQ(store->Remove(id),
                      "The recovery copy " + id + " belongs to an editor that is running.");
            EXPECT_NE(store->Adopt(id, key), std::nullopt);
        }
    }
    EXPECT_EQ(test::NamesIn(dir.Path() / "r").size(), 6u);
}

// An editor killed outright leaves its lock file unlocked: its copy is offered.
TEST(RecoveryStore, CopiesOfAKilledEditorAreOffered) {
    TempDir dir;
    const std::string recovery = dir / "r";
    const pid_t child = ::fork();
    if (child == 0) {
        auto* killed = new RecoveryStore(recovery);  // never destroyed
        const bool written =
            !killed->WriteCopy(killed->NewKey(), {"/a.vrx", "Killed", 5}, DialogueBytes("Killed"));
        ::_exit(written ? 0 : 1);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    RecoveryStore next(recovery);
    RecoveryListing listing = next.ListLeftCopies();
    ASSERT_EQ(NpcNames(listing), std::vector<std::string>{"Killed"});
    ASSERT_EQ(next.Remove(listing.copies[0].id), std::nullopt);
    next.ListLeftCopies();  // the killed editor's lock file goes with its last copy
    EXPECT_EQ(test::NamesIn(recovery).size(), 1u);
}

TEST(RecoveryStore, DamagedCopiesAreSkippedWithTheirMessage) {
    TempDir dir;
    const std::string recovery = dir / "r";
    {
        RecoveryStore ended(recovery);
        for (int i = 0; i < 4; ++i) {
            const std::uint64_t key = ended.NewKey();
            ASSERT_EQ(ended.WriteCopy(key, {std::nullopt, "n", i}, DialogueBytes("n")),
                      std::nullopt);
        }
    }
    const std::vector<std::string> ids = test::FileStemsIn(recovery, ".record");
    ASSERT_EQ(ids.size(), 4u);
    test::WriteBytes((std::filesystem::path(recovery) / (ids[0] + ".record")).string(), "junk");
    test::WriteBytes((std::filesystem::path(recovery) / (ids[1] + ".vrx")).string(), "junk");
    std::filesystem::remove(std::filesystem::path(recovery) / (ids[2] + ".vrx"));
    std::filesystem::remove(std::filesystem::path(recovery) / (ids[3] + ".record"));
    test::WriteBytes(dir / "r/stray.txt", "not the store's");

    RecoveryStore next(recovery);
    const RecoveryListing listing = next.ListLeftCopies();
    EXPECT_TRUE(listing.copies.empty());
    const std::string skipped = "The recovery copy ";
    ASSERT_EQ(listing.skipped.size(), 4u);
    EXPECT_EQ(listing.skipped[0].message,
              skipped + ids[0] +
                  " was skipped: its record is damaged (line 1: this is no recovery record).");
    EXPECT_EQ(listing.skipped[1].message, skipped + ids[1] +
                                              " was skipped: its dialogue can't be read (This is "
                                              "not a valid VRX file.).");
    EXPECT_EQ(listing.skipped[2].message,
              skipped + ids[2] + " was skipped: its dialogue can't be read (Unable to open file).");
    EXPECT_EQ(listing.skipped[3].message,
              skipped + ids[3] + " was skipped: its record can't be read.");
    for (const SkippedRecoveryCopy& copy : listing.skipped) {
        EXPECT_EQ(next.Remove(copy.id), std::nullopt);
    }
    EXPECT_EQ(test::NamesIn(recovery).size(), 2u);  // next's lock and the stray file
}

TEST(RecoveryStore, AnUnusableDirectoryIsReported) {
    TempDir dir;
    test::WriteBytes(dir / "file", "");
    RecoveryStore store(dir / "file/recovery");
    ASSERT_TRUE(store.OpenError().has_value());
    EXPECT_EQ(store.WriteCopy(store.NewKey(), {}, "bytes"), store.OpenError());
    EXPECT_TRUE(store.ListLeftCopies().copies.empty());
}

// The record beside each copy: every byte of a path and a name survives it, and its
// readings are cases in cases/records.txt.
TEST(RecoveryRecord, EveryByteOfAPathAndNameReadsBack) {
    std::string every;
    for (int c = 0; c < 256; ++c) {
        every += static_cast<char>(c);
    }
    for (const RecoveryRecord& record :
         {RecoveryRecord{std::nullopt, "", 0}, RecoveryRecord{"/a\nb\\x.vrx", every, -5},
          RecoveryRecord{"", "Brannoc", 1717171717}}) {
        const std::string text = WriteRecoveryRecord(record);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), record.originalPath ? 4 : 3);
        EXPECT_EQ(ReadRecoveryRecord(text).record, record) << text;
    }
    EXPECT_EQ(WriteRecoveryRecord({"/w/inn.vrx", "Bran\x01", 7}),
              "talkwright-recovery 1\npath: /w/inn.vrx\nnpc: Bran\\x01\nsaved: 7\n");
}

std::string ReadAnswer(const std::string& line) {
    const std::optional<std::string> text = JsonStringBytes(line.substr(1, line.size() - 2));
    if (!text) {
        return "bad case";
    }
    const RecoveryRecordRead read = ReadRecoveryRecord(*text);
    if (!read.record) {
        return "damaged: " + read.error;
    }
    EXPECT_EQ(ReadRecoveryRecord(WriteRecoveryRecord(*read.record)).record, read.record);
    return "path [" + read.record->originalPath.value_or("none") + "] npc [" +
           read.record->npcName + "] saved " + std::to_string(read.record->savedAt);
}

TEST(RecoveryRecord, ReadsAsTheCasesSay) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/recovery/cases/records.txt",
                          ReadAnswer);
    const std::string larger =
        "talkwright-recovery 1\n" + std::string(kMaxRecoveryRecordBytes, 'x');
    EXPECT_EQ(ReadRecoveryRecord(larger).error, "it is larger than a record can be");
}

}  // namespace
}  // namespace tw
