#pragma once

// The document the model tests share: read_cases/full.vrx, which holds every command and
// response kind, with and without conditions (what it reads as is pinned beside it).

#include <gtest/gtest.h>

#include <memory>

#include "model/conditional.h"
#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace tw::test {

inline std::unique_ptr<Conditional> Cond(std::string expression) {
    return std::make_unique<Conditional>(std::move(expression));
}

inline std::unique_ptr<Dialogue> MakeFullDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    EXPECT_EQ(dialogue->Read(ReadBytes(TW_SOURCE_DIR "/tests/model/read_cases/full.vrx")),
              std::nullopt);
    return dialogue;
}

}  // namespace tw::test
