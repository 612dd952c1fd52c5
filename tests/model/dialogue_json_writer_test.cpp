// The printed JSON form against the JSON library printing the same document as one value.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "generator/dialogue_generator.h"
#include "model/dialogue_json.h"
#include "model/dialogue_json_every_byte.h"
#include "model/dialogue_json_library_print.h"
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
    const std::string expected = test::LibraryPrintedJson(dialogue);
    const std::string printed = DialogueToJson(dialogue);
    ASSERT_EQ(printed.size(), expected.size()) << what;
    const auto [ours, theirs] = std::mismatch(printed.begin(), printed.end(), expected.begin());
    EXPECT_TRUE(ours == printed.end())
        << what << ": first difference at byte " << (ours - printed.begin()) << ": "
        << std::string(ours, ours + std::min<std::ptrdiff_t>(60, printed.end() - ours));
    EXPECT_TRUE(Pieced(dialogue) == printed) << what;
}

TEST(DialogueJsonWriter, GeneratedDialoguesPrintAsTheLibraryPrintsThem) {
    for (const std::int32_t nodes : {1, 2, 40, 1000}) {
        for (const std::uint64_t seed : {1u, 7u, 2026u}) {
            GeneratorOptions options;
            options.nodes = nodes;
            options.seed = seed;
            ExpectLibraryBytes(*GenerateDialogue(options),
                               std::to_string(nodes) + " nodes, seed " + std::to_string(seed));
        }
    }
    ExpectLibraryBytes(*test::MakeFullDialogue(), "the full fixture");
    ExpectLibraryBytes(Dialogue(), "a new document");
}

TEST(DialogueJsonWriter, SamplesPrintAsTheLibraryPrintsThem) {
    const std::filesystem::path dir = std::filesystem::path(TW_SOURCE_DIR) / "samples";
    int samples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".vrx") {
            continue;
        }
        Dialogue dialogue;
        ASSERT_EQ(dialogue.Load(entry.path().string()), std::nullopt) << entry.path();
        ExpectLibraryBytes(dialogue, entry.path().filename().string());
        ++samples;
    }
    EXPECT_GE(samples, 2);
}

// Control characters, quotes, backslashes, the five unassigned bytes and the high half.
TEST(DialogueJsonWriter, EveryByteInEveryStringFieldPrintsAsTheLibraryPrintsIt) {
    const std::string all = test::EveryByte();
    ExpectLibraryBytes(*test::MakeDialogueWithBytes(all), "bytes 0 to 255");
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const std::string around = std::string("a") + c + "b" + c + c;
        ExpectLibraryBytes(*test::MakeDialogueWithBytes(around), "byte " + std::to_string(byte));
    }
    ExpectLibraryBytes(*test::MakeDialogueWithBytes(""), "empty strings");
}

}  // namespace
}  // namespace tw
