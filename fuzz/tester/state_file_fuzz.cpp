// Arbitrary bytes as a state file: load it, write the environment back and load that
// again; a written state must read back without errors to the same entries.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "script/environment.h"
#include "tester/state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tw::Environment environment;
    tw::LoadStateText(environment, text);
    // "%f" has no text for infinities and NaN that reads back as a number.
    for (const auto& [name, value] : environment) {
        if (value.GetType() == tw::ValueType::Real && !std::isfinite(value.GetReal())) {
            return 0;
        }
    }
    const std::string written = tw::WriteStateText(environment);
    tw::Environment reloaded;
    tw::LoadStateText(reloaded, written);
    if (tw::WriteStateText(reloaded) != written) {
        std::abort();
    }
    return 0;
}
