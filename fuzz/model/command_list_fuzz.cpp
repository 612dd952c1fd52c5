// The NodeCommandList clipboard archive reader on any bytes. What it accepts must
// serialise back to an archive that parses to the same elements.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/clipboard_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tw::NodeCommandList list;
    if (!list.Parse(bytes)) {
        return 0;
    }
    const std::string archive = list.Serialize();
    tw::NodeCommandList copy;
    if (!copy.Parse(archive) || copy.Serialize() != archive) {
        __builtin_trap();
    }
    return 0;
}
