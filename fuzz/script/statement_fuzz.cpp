// Arbitrary bytes as one statement line: lex, parse, check and execute.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/environment.h"
#include "script/lexer.h"
#include "script/script_errors.h"
#include "script/statement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    tw::Environment environment;
    environment.Set("$gold", 12);
    environment.Set("$name", "Orvane");
    environment.Set("$rate", 0.5);
    environment.Set("kMet", true);
    try {
        tw::Lexer lexer(line);
        const auto statement = tw::Statement::Parse(lexer);
        std::string message;
        // Unchecked statements run too: the tester never runs them, but they must not crash.
        if (statement) {
            statement->Check(message);
            statement->Execute(environment);
        }
    } catch (const tw::SyntaxError&) {
    } catch (const tw::RuntimeError&) {
    } catch (const tw::ControlFlowException&) {
    }
    return 0;
}
