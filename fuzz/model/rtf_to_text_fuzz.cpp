// RtfToText on any bytes: no read past the input, and never a longer output.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/text/rtf_to_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    if (tw::RtfToText(rtf).size() > rtf.size()) {
        std::abort();
    }
    return 0;
}
