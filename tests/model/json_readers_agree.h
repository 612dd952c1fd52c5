#pragma once

// The fast JSON reader against the reader from the JSON library's events: wherever the
// fast one builds a document it must be the very document the full one builds, and
// DialogueFromJson must answer exactly as the full reader does, message included, into a
// document that held another: reading replaces what it held, as reading a file does.

#include <gtest/gtest.h>

#include <string>

#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "model/dialogue_json_readers.h"

namespace tw::test {

// A document with a tree and fields of its own, changed since it was saved.
inline void HoldAnother(Dialogue& dialogue) {
    dialogue.Root().SetName("Held");
    dialogue.Root().SetText("held text");
    dialogue.Root().SetTextRich(true);
    DialogueNode& child = dialogue.AppendNode(dialogue.Root(), 7, "Stale");
    child.SetText("stale");
    dialogue.SetComments("held comments");
    dialogue.SetModified(true);
}

// Both readers on the text; returns whether the fast one took it.
inline bool ExpectSameReading(const std::string& text) {
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
    HoldAnother(either);
    const std::optional<std::string> answer = DialogueFromJson(text, either);
    EXPECT_EQ(answer, error) << text;
    if (!answer) {
        EXPECT_EQ(DialogueToJson(either), DialogueToJson(full)) << text;
        EXPECT_FALSE(either.IsModified());
    }
    // Read in place, the text given room at its end and handed back as it was.
    std::string inPlace = text;
    inPlace.shrink_to_fit();
    Dialogue fromText;
    HoldAnother(fromText);
    EXPECT_EQ(DialogueFromJsonText(inPlace, fromText), error) << text;
    EXPECT_EQ(inPlace, text);
    if (!error) {
        EXPECT_EQ(DialogueToJson(fromText), DialogueToJson(full)) << text;
    }
    return built;
}

}  // namespace tw::test
