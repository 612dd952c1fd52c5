#include "model/recovery/recovery_record.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/json_string_bytes.h"
#include "support/line_cases.h"

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
