// RtfToText on any bytes: no read past the input, never a longer output, and the same text
// into a buffer kept from the input before.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/text/rtf_to_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const std::string text = tw::RtfToText(rtf);
    if (text.size() > rtf.size()) {
        std::abort();
    }
    static std::string buffer;
    if (tw::RtfToText(rtf, buffer) != text) {
        std::abort();
    }
    return 0;
}
