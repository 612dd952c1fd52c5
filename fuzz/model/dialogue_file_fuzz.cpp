// The dialogue file reader on any bytes. What it accepts must write back to a file that
// reads to the same document.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/dialogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tw::Dialogue dialogue;
    if (dialogue.Read(bytes)) {
        return 0;
    }
    const std::string written = dialogue.Write();
    tw::Dialogue copy;
    if (copy.Read(written) || copy.Write() != written) {
        __builtin_trap();
    }
    return 0;
}
