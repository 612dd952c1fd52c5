// The fast JSON reader against the reader from the JSON library's events: wherever the
// fast one builds a document it must be the very document the full one builds, and
// DialogueFromJson must answer exactly as the full reader does, message included.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>

#include "generator/dialogue_generator.h"
#include "model/dialogue_json.h"
#include "model/dialogue_json_every_byte.h"
#include "model/dialogue_json_readers.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Both readers on the text; returns whether the fast one took it.
bool ExpectSameReading(const std::string& text) {
    Dialogue fast;
    const bool built = ReadDialogueJsonFast(text, fast);
    Dialogue full;
    const std::optional<std::string> error = ReadDialogueJsonEvents(text, full);
    if (built) {
        EXPECT_EQ(error, std::nullopt) << text;
        EXPECT_EQ(DialogueToJson(fast), DialogueToJson(full)) << text;
        EXPECT_EQ(fast.Write(), full.Write()) << text;
        EXPECT_FALSE(fast.IsModified());
    }
    Dialogue either;
    const std::optional<std::string> answer = DialogueFromJson(text, either);
    EXPECT_EQ(answer, error) << text;
    if (!answer) {
        EXPECT_EQ(DialogueToJson(either), DialogueToJson(full)) << text;
    }
    // Read in place, the text given room at its end and handed back as it was.
    std::string inPlace = text;
    inPlace.shrink_to_fit();
    Dialogue fromText;
    EXPECT_EQ(DialogueFromJsonText(inPlace, fromText), error) << text;
    EXPECT_EQ(inPlace, text);
    if (!error) {
        EXPECT_EQ(DialogueToJson(fromText), DialogueToJson(full)) << text;
    }
    return built;
}

std::vector<std::string> SeedTexts() {
    std::vector<std::string> texts;
    const std::filesystem::path corpus =
        std::filesystem::path(TW_SOURCE_DIR) / "fuzz" / "corpus" / "dialogue_json";
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        texts.push_back(Slurp(entry.path()));
    }
    for (const char* sample : {"blacksmith", "innkeeper"}) {
        texts.push_back(Slurp(std::filesystem::path(TW_SOURCE_DIR) / "samples" /
                              (std::string(sample) + ".json")));
    }
    texts.push_back(DialogueToJson(*test::MakeFullDialogue()));
    return texts;
}

TEST(DialogueJsonFastReader, TakesEveryPrintedDialogue) {
    for (const std::int32_t nodes : {1, 2, 50, 2000}) {
        for (const std::uint64_t seed : {1u, 2026u}) {
            GeneratorOptions options;
            options.nodes = nodes;
            options.seed = seed;
            EXPECT_TRUE(ExpectSameReading(DialogueToJson(*GenerateDialogue(options))))
                << nodes << " nodes, seed " << seed;
        }
    }
    EXPECT_TRUE(ExpectSameReading(DialogueToJson(*test::MakeDialogueWithBytes(test::EveryByte()))));
    EXPECT_TRUE(ExpectSameReading(DialogueToJson(*test::MakeFullDialogue())));
    EXPECT_TRUE(ExpectSameReading(DialogueToJson(Dialogue())));
}

TEST(DialogueJsonFastReader, SeedFilesReadAlike) {
    for (const std::string& text : SeedTexts()) {
        ExpectSameReading(text);
    }
}

// A document read into one that already holds nodes replaces them, whichever reader
// takes the text, as reading a file does.
TEST(DialogueJsonFastReader, ReadingReplacesWhatTheDocumentHeld) {
    GeneratorOptions options;
    options.nodes = 30;
    const std::string small = DialogueToJson(*test::MakeFullDialogue());
    std::string repeatedKey = small;  // valid, but only the full reader takes repeated keys
    repeatedKey.insert(repeatedKey.find('{') + 1, "\"comments\": \"first\", ");
    ASSERT_FALSE(ReadDialogueJsonFast(repeatedKey, *GenerateDialogue(options)));
    for (const std::string& text : {small, repeatedKey}) {
        Dialogue fresh;
        ASSERT_EQ(DialogueFromJson(text, fresh), std::nullopt);
        const std::unique_ptr<Dialogue> held = GenerateDialogue(options);
        ASSERT_EQ(DialogueFromJson(text, *held), std::nullopt);
        EXPECT_EQ(held->Write(), fresh.Write());
        const std::unique_ptr<Dialogue> heldInPlace = GenerateDialogue(options);
        std::string copy = text;
        ASSERT_EQ(DialogueFromJsonText(copy, *heldInPlace), std::nullopt);
        EXPECT_EQ(heldInPlace->Write(), fresh.Write());
    }
}

// Valid documents the fast reader leaves to the full one, and documents it must refuse.
TEST(DialogueJsonFastReader, LeavesWhatItIsNotSureOfToTheFullReader) {
    const std::string head = R"({"format": "talkwright-dialogue", )";
    const std::string node = R"({"depth": 0, "name": "R"})";
    const std::vector<std::string> given = {
        head + R"("nodes": [)" + node + "]}",               // taken
        head + R"("n\u006fdes": [)" + node + "]}",          // escaped key
        head + R"("nodes": [], "nodes": [)" + node + "]}",  // repeated key
        head + R"("nodes": [{"depth": 0, "responses": [{"kind": "add"}], "responses": []}]})",
        head + R"("nodes": [{"depth": 0, "commands": [{"kind": "end"}], "commands": []}]})",
        head + R"("npc": {"id": 1}, "npc": {"name": "B"}, "nodes": [)" + node + "]}",
        head + R"("nodes": [{"depth": 0, "name": "\u00e9\u20ac\/"}]})",  // escapes
        head + R"("nodes": [{"depth": 0, "name": "\ud83d\ude00"}]})",    // no such byte
        head + R"("nodes": [{"depth": 0, "id": 1.0}]})",                 // not an integer
        head + R"("nodes": [{"depth": 0, "id": 2147483648}]})",          // too large
        head + R"("nodes": [)" + node + "]} {}",                         // trailing text
        head + R"("nodes": [)" + node + "]}  \n",                        // white space
        head + R"("nodes": [)" + node + R"(, {"depth": 2}]})",           // too deep
        head +
            R"("nodes": [{"depth": 0, "commands": [{"kind": "yesNo", "entries": [{}, {}, {}]}]}]})",
        head + R"("nodes": [{"depth": 0, "commands": [{"kind": "end", "set": 1}]}]})",
        head + R"("nodes": [{"depth": 0, "responses": [{"kind": "add", "cutTag": 5}]}]})",
        head + R"("nodes": [{"depth": 0, "responses": [{"kind": "cut", "condition": null}]}]})",
        head + R"("formatVersion": 2, "nodes": [)" + node + "]}",
        head + R"("nodes": [)" + node + "]",                        // unterminated
        "\xEF\xBB\xBF" + head + R"("nodes": [)" + node + "]}",      // byte order mark
        head + "\"nodes\": [{\"depth\": 0, \"name\": \"\t\"}]}",    // raw control
        head + "\"nodes\": [{\"depth\": 0, \"name\": \"\xC3\"}]}",  // broken UTF-8
    };
    std::size_t taken = 0;
    for (const std::string& text : given) {
        taken += ExpectSameReading(text) ? 1 : 0;
    }
    EXPECT_GE(taken, 3u);
    EXPECT_LT(taken, given.size());
}

// Small random edits of valid documents, many of them still valid, most not.
class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    std::string Mutate(std::string text) {
        const int edits = 1 + Below(3);
        for (int i = 0; i < edits && !text.empty(); ++i) {
            Edit(text);
        }
        return text;
    }

private:
    static constexpr std::string_view kPieces[] = {"\"",
                                                   "\\",
                                                   "{",
                                                   "}",
                                                   "[",
                                                   "]",
                                                   ",",
                                                   ":",
                                                   " ",
                                                   "0",
                                                   "-1",
                                                   "1e3",
                                                   "true",
                                                   "null",
                                                   "\\u00e9",
                                                   "\\ud800",
                                                   "\\u0000",
                                                   "\xC3\xA9",
                                                   "\xE2\x82\xAC",
                                                   "\xFF",
                                                   "\"depth\": 1, ",
                                                   "\"name\": \"x\", ",
                                                   "\"kind\": \"cut\", ",
                                                   "2147483647",
                                                   "4294967296",
                                                   "\"\""};

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::size_t At(const std::string& text) {
        return static_cast<std::size_t>(Below(static_cast<int>(text.size())));
    }

    void Edit(std::string& text) {
        const std::size_t at = At(text);
        switch (Below(5)) {
            case 0:
                text[at] = static_cast<char>(Below(256));
                break;
            case 1:
                text.erase(at, 1 + static_cast<std::size_t>(Below(8)));
                break;
            case 2:
                text.insert(at, kPieces[Below(std::size(kPieces))]);
                break;
            case 3: {
                const std::size_t from = At(text);
                text.insert(at, text.substr(from, 1 + static_cast<std::size_t>(Below(40))));
                break;
            }
            default: {
                // A line swapped with the next: members out of their usual order.
                const std::size_t end = text.find('\n', at);
                const std::size_t next = end == std::string::npos ? end : text.find('\n', end + 1);
                if (next != std::string::npos) {
                    const std::size_t start = text.rfind('\n', at) + 1;
                    const std::string line = text.substr(start, end + 1 - start);
                    text.erase(start, end + 1 - start);
                    text.insert(next - line.size() + 1, line);
                }
                break;
            }
        }
    }

    std::mt19937 random_;
};

TEST(DialogueJsonFastReader, MutatedDocumentsReadAlike) {
    std::vector<std::string> bases = SeedTexts();
    GeneratorOptions options;
    options.nodes = 6;
    bases.push_back(DialogueToJson(*GenerateDialogue(options)));
    bases.push_back(DialogueToJson(*test::MakeDialogueWithBytes("a\"\\\x01\x81\xE9\x80 b")));
    Mutator mutator(20261207);
    std::size_t taken = 0;
    std::size_t tried = 0;
    for (int round = 0; round < 800; ++round) {
        for (const std::string& base : bases) {
            taken += ExpectSameReading(mutator.Mutate(base)) ? 1 : 0;
            ++tried;
            if (HasFailure()) {
                return;
            }
        }
    }
    // Both readers are exercised: the fast one takes a fair share, and gives up on more.
    EXPECT_GT(taken, tried / 20);
    EXPECT_LT(taken, tried / 2);
    std::cout << taken << " of " << tried << " mutated documents taken by the fast reader\n";
}

}  // namespace
}  // namespace tw
