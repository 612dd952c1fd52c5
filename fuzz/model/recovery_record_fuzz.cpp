// Arbitrary bytes as a recovery record: reading never fails but with a message, and a record
// read writes back to text that reads as the same record.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/recovery/recovery_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tw::RecoveryRecordRead read = tw::ReadRecoveryRecord(text);
    if (read.record.has_value() == !read.error.empty()) {
        std::abort();
    }
    if (read.record &&
        tw::ReadRecoveryRecord(tw::WriteRecoveryRecord(*read.record)).record != read.record) {
        std::abort();
    }
    return 0;
}
