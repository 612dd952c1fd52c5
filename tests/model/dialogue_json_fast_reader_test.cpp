// The two JSON readers agree (json_readers_agree.h) on generated, sample and mutated texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>

#include "generator/dialogue_generator.h"
#include "json_readers_agree.h"
#include "model/dialogue_json.h"
#include "model/dialogue_json_every_byte.h"
#include "model/dialogue_json_readers.h"
#include "support/model_fixtures.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

std::vector<std::string> SeedTexts() {
    std::vector<std::string> texts;
    const std::filesystem::path corpus =
        std::filesystem::path(TW_SOURCE_DIR) / "fuzz" / "corpus" / "dialogue_json";
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        texts.push_back(test::ReadBytes(entry.path().string()));
    }
    for (const char* sample : {"blacksmith", "innkeeper"}) {
        texts.push_back(
            test::ReadBytes(std::string(TW_SOURCE_DIR) + "/samples/" + sample + ".json"));
    }
    texts.push_back(DialogueToJson(*test::MakeFullDialogue()));
    return texts;
}

// Every printed dialogue is taken by the fast reader: see dialogue_json_writer_test.
// Documents the fast reader leaves to the full one are among the cases in read_cases.

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
    // What an insertion puts in, the pieces between bars.
    static std::vector<std::string> Pieces() {
        std::istringstream list(
            "\"|\\|{|}|[|]|,|:| |0|-1|1e3|true|null|\\u00e9|\\ud800|\\u0000|\xC3\xA9|\xE2\x82\xAC|"
            "\xFF|\"depth\": 1, |\"name\": \"x\", |\"kind\": \"cut\", |2147483647|4294967296|\"\"");
        std::vector<std::string> pieces;
        for (std::string piece; std::getline(list, piece, '|');) {
            pieces.push_back(piece);
        }
        return pieces;
    }
    const std::vector<std::string> pieces_ = Pieces();

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
                text.insert(
                    at, pieces_[static_cast<std::size_t>(Below(static_cast<int>(pieces_.size())))]);
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

TEST(DialogueJsonFastReader, SeedsAndTheirMutationsReadAlike) {
    std::vector<std::string> bases = SeedTexts();
    GeneratorOptions options;
    options.nodes = 6;
    bases.push_back(DialogueToJson(*GenerateDialogue(options)));
    bases.push_back(DialogueToJson(*test::MakeDialogueWithBytes("a\"\\\x01\x81\xE9\x80 b")));
    for (const std::string& base : bases) {
        test::ExpectSameReading(base);
    }
    Mutator mutator(20261207);
    std::size_t taken = 0;
    std::size_t tried = 0;
    for (int round = 0; round < 800; ++round) {
        for (const std::string& base : bases) {
            taken += test::ExpectSameReading(mutator.Mutate(base)) ? 1 : 0;
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
