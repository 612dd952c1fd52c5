// Arbitrary bytes as a response condition: parse the whole line, check and evaluate.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/compile.h"
#include "script/environment.h"
#include "script/script_errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    tw::Environment environment;
    environment.Set("$gold", 12);
    environment.Set("$name", "Orvane");
    environment.Set("kMet", true);
    try {
        if (const auto condition = tw::ParseCondition(line)) {
            std::string message;
            condition->Check(message);
            condition->IsBoolean();
            condition->Evaluate(environment).ToString();
        }
    } catch (const tw::SyntaxError&) {
    } catch (const tw::RuntimeError&) {
    }
    return 0;
}
