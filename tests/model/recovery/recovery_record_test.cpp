#include "model/recovery/recovery_record.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw {
namespace {

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

TEST(RecoveryRecord, DamagedRecordsSayWhy) {
    const std::string first = "talkwright-recovery 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "it has no first line"},
        {"talkwright-recovery 2\n", "line 1: this is no recovery record"},
        {first + "npc: a\n", "it has no saved line"},
        {first + "saved: 1\n", "it has no npc line"},
        {first + "npc a\n", "line 2: a line is \"KEY: VALUE\""},
        {first + "npc: a\\q\n", "line 2: a broken escape"},
        {first + "npc: a\\x4\n", "line 2: a broken escape"},
        {first + "npc: a\nnpc: b\n", "line 3: npc is given twice"},
        {first + "colour: red\n", "line 2: unknown key 'colour'"},
        {first + "npc: a\nsaved: soon\n", "line 3: the time is no number"},
        {first + "npc: a\nsaved: 99999999999999999999\n", "line 3: the time is no number"},
        {first + std::string(kMaxRecoveryRecordBytes, 'x'), "it is larger than a record can be"},
    };
    for (const auto& [text, error] : cases) {
        const RecoveryRecordRead read = ReadRecoveryRecord(text);
        EXPECT_EQ(read.record, std::nullopt) << text.substr(0, 60);
        EXPECT_EQ(read.error, error) << text.substr(0, 60);
    }
}

}  // namespace
}  // namespace tw
