// ReadRtf on any bytes, then a write and read back, which must give the same runs.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "export/rich_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const tw::RichText rich = tw::ReadRtf(rtf);
    if (tw::PlainText(rich).size() > rtf.size() || tw::ReadRtf(tw::WriteRtf(rich)) != rich) {
        std::abort();
    }
    return 0;
}
