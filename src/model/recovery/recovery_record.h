#pragma once

// The record beside a recovery copy: which document the copy holds and when it was made. It
// is a small text file, one "key: value" line each, so a person can read it too:
//
//   talkwright-recovery 1
//   path: /home/writer/innkeeper.vrx     (no line for an untitled document)
//   npc: Brannoc
//   saved: 1717171717
//
// A value is escaped so it stays on its line: "\\" for a backslash, "\n" and "\r" for line
// ends, "\xHH" for any other control byte.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

struct RecoveryRecord {
    std::optional<std::string> originalPath;  // the file the document came from; none if untitled
    std::string npcName;                      // as the document holds it (Windows-1252)
    std::int64_t savedAt = 0;                 // when the copy was written, seconds since 1970 UTC

    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

// A record is a few hundred bytes; anything larger is no record.
inline constexpr std::size_t kMaxRecoveryRecordBytes = 64 * 1024;

std::string WriteRecoveryRecord(const RecoveryRecord& record);

// The record the text holds, or why it holds none ("line 3: unknown key 'colour'").
struct RecoveryRecordRead {
    std::optional<RecoveryRecord> record;
    std::string error;
};
RecoveryRecordRead ReadRecoveryRecord(std::string_view text);

}  // namespace tw
