// A save writes the file in blocks as it is made: the blocks are the bytes of Write(), a
// refused block ends the writing, and a write failing anywhere in the file keeps the old one.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_write.h"
#include "generator/dialogue_generator.h"
#include "model/dialogue.h"
#include "model/dialogue_bytes.h"
#include "model/dialogue_slice_writer.h"
#include "model/file.h"
#include "support/failing_writes.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::string> BlocksOf(const Dialogue& dialogue) {
    std::vector<std::string> blocks;
    EXPECT_TRUE(WriteDialogueBlocks(dialogue, [&blocks](std::string_view block) {
        blocks.emplace_back(block);
        return true;
    }));
    return blocks;
}

TEST(DialogueBlocks, TheBlocksMakeTheBytesOfWrite) {
    for (const std::int32_t nodes : {1, 2, 300, 4000}) {
        const auto dialogue = GenerateDialogue({.nodes = nodes, .seed = 7});
        const std::vector<std::string> blocks = BlocksOf(*dialogue);
        std::string joined;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            EXPECT_FALSE(blocks[i].empty()) << "block " << i;
            if (i + 1 < blocks.size()) {
                EXPECT_GE(blocks[i].size(), kDialogueBlockBytes) << "block " << i;
            }
            joined += blocks[i];
        }
        EXPECT_EQ(joined, dialogue->Write()) << nodes << " nodes";
        if (joined.size() > 2 * kDialogueBlockBytes) {
            EXPECT_GT(blocks.size(), 2u) << "a large file is handed on in pieces";
        }
    }
}

// The recovery copy's bytes are made a slice of nodes at a time between the window's events.
TEST(DialogueSlices, TheSlicesMakeTheBytesOfWrite) {
    for (const std::int32_t nodes : {1, 2, 300}) {
        const auto dialogue = GenerateDialogue({.nodes = nodes, .seed = 9});
        for (const std::size_t slice : {1u, 7u, 1000u}) {
            DialogueSliceWriter writer(*dialogue);
            std::size_t slices = 1;
            while (!writer.WriteSome(slice)) {
                ++slices;
            }
            EXPECT_EQ(writer.TakeBytes(), dialogue->Write()) << nodes << " nodes by " << slice;
            EXPECT_GE(slices, (static_cast<std::size_t>(nodes) - 1) / slice) << "slices";
        }
    }
}

TEST(DialogueBlocks, ARefusedBlockEndsTheWriting) {
    const auto dialogue = GenerateDialogue({.nodes = 4000, .seed = 8});
    for (const int takes : {0, 1, 3}) {
        int offered = 0;
        const bool written = WriteDialogueBlocks(
            *dialogue, [&offered, takes](std::string_view) { return offered++ < takes; });
        EXPECT_FALSE(written);
        EXPECT_EQ(offered, takes + 1) << "no block is offered after a refusal";
    }
}

using BlockSaveFaults = test::FailingWrites;

TEST_F(BlockSaveFaults, AWriteFailingAnywhereKeepsTheOldFileAndSaysSoAndTheWholeBudgetSaves) {
    TempDir dir;
    const std::string path = dir / "big.vrx";
    const auto dialogue = GenerateDialogue({.nodes = 4000, .seed = 9});
    const std::size_t size = dialogue->Write().size();
    ASSERT_GT(size, 3 * kDialogueBlockBytes);
    for (const std::size_t after :
         {std::size_t{0}, std::size_t{1}, kDialogueBlockBytes - 1, kDialogueBlockBytes,
          kDialogueBlockBytes + 1, 2 * kDialogueBlockBytes + 17, size - 1}) {
        WriteBytes(path, "old bytes");
        ASSERT_EQ(dialogue->SaveAs(path), std::nullopt);  // the path becomes the document's
        WriteBytes(path, "old bytes");
        dialogue->SetModified(true);
        FailAfter(after);
        EXPECT_EQ(dialogue->Save(), "Unable to write file " + path +
                                        " (No space left on device).\nThe file was not changed.")
            << "failing after " << after;
        SetWriteCallForTesting(nullptr);
        EXPECT_EQ(ReadBytes(path), "old bytes") << "failing after " << after;
        EXPECT_TRUE(dialogue->IsModified());
        EXPECT_EQ(test::NamesIn(dir.Path()).size(), 1u) << "no temporary file is left beside";
    }
    FailAfter(size);  // the whole file and not a byte more
    EXPECT_EQ(dialogue->Save(), std::nullopt);
    SetWriteCallForTesting(nullptr);
    EXPECT_EQ(ReadBytes(path), dialogue->Write());
    EXPECT_FALSE(dialogue->IsModified());
}

}  // namespace
}  // namespace tw
