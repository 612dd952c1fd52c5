// The printed JSON form: what the JSON library prints of the same text with an indent of
// two, in pieces that join to the whole, and read back to the very file it was printed from,
// by the fast reader as by the full one.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "generator/dialogue_generator.h"
#include "json_readers_agree.h"
#include "model/dialogue_json.h"
#include "model/dialogue_json_every_byte.h"
#include "support/expected_file.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

std::string Pieced(const Dialogue& dialogue) {
    std::string text;
    std::size_t pieces = 0;
    WriteDialogueJson(dialogue, [&](std::string_view piece) {
        text.append(piece);
        ++pieces;
    });
    EXPECT_GT(pieces, 1u);
    return text;
}

void ExpectLibraryBytes(const Dialogue& dialogue, const std::string& what) {
    const std::string printed = DialogueToJson(dialogue);
    EXPECT_TRUE(printed == nlohmann::ordered_json::parse(printed).dump(2) + "\n") << what;
    EXPECT_TRUE(Pieced(dialogue) == printed) << what;
    Dialogue copy;
    ASSERT_EQ(DialogueFromJson(printed, copy), std::nullopt) << what;
    EXPECT_TRUE(copy.Write() == dialogue.Write()) << what;
    EXPECT_TRUE(test::ExpectSameReading(printed)) << "the fast reader takes " << what;
}

TEST(DialogueJsonWriter, GeneratedDialoguesPrintAsTheLibraryPrintsThem) {
    for (const std::int32_t nodes : {1, 2, 40, 1000}) {
        for (const std::uint64_t seed : {1u, 7u, 2026u}) {
            ExpectLibraryBytes(*GenerateDialogue({.nodes = nodes, .seed = seed}),
                               std::to_string(nodes) + " nodes, seed " + std::to_string(seed));
        }
    }
    ExpectLibraryBytes(*test::MakeFullDialogue(), "the full fixture");
    ExpectLibraryBytes(Dialogue(), "a new document");
}

TEST(DialogueJsonWriter, SamplesPrintAsTheLibraryPrintsThem) {
    const std::string dir = TW_SOURCE_DIR "/samples/";
    const std::vector<std::string> samples = test::FileNamesIn(dir, {".vrx"});
    EXPECT_GE(samples.size(), 2u);
    for (const std::string& sample : samples) {
        Dialogue dialogue;
        ASSERT_EQ(dialogue.Load(dir + sample), std::nullopt) << sample;
        ExpectLibraryBytes(dialogue, sample);
    }
}

// Control characters, quotes, backslashes, the five unassigned bytes and the high half.
TEST(DialogueJsonWriter, EveryByteInEveryStringFieldPrintsAsTheLibraryPrintsIt) {
    const std::string all = test::EveryByte();
    ExpectLibraryBytes(*test::MakeDialogueWithBytes(all), "bytes 0 to 255");
    test::ExpectMatchesFile(DialogueToJson(*test::MakeDialogueWithBytes(all)),
                            std::string(TW_SOURCE_DIR) + "/tests/model/data/every_byte.json");
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const std::string around = std::string("a") + c + "b" + c + c;
        ExpectLibraryBytes(*test::MakeDialogueWithBytes(around), "byte " + std::to_string(byte));
    }
    ExpectLibraryBytes(*test::MakeDialogueWithBytes(""), "empty strings");
}

}  // namespace
}  // namespace tw
