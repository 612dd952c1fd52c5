// ReadRtf on any bytes, then a write and read back, which must give the same runs.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"
#include "model/text/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const tw::RichText rich = tw::ReadRtf(rtf);
    if (tw::PlainText(rich).size() > rtf.size() || tw::ReadRtf(tw::WriteRtf(rich)) != rich) {
        std::abort();
    }
    return 0;
}
