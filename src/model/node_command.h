#pragma once

// NodeCommand: one command a node runs when the conversation enters it. Each kind keeps
// the fields its editor dialog shows and builds its script text from them at once.

#include <cstdint>
#include <memory>
#include <string>

#include "model/byte_codec.h"
#include "model/conditional.h"
#include "script/statement.h"

namespace tw {

// Kind codes: also the codes stored in files and on the clipboard.
enum CommandType : std::int32_t {
    kCommandManual = 0,
    kCommandFlag = 1,
    kCommandConditionalVariable = 2,
    kCommandVariable = 3,
    kCommandYesNo = 4,
    kCommandEnd = 5,
    kCommandGoto = 6,
    kCommandReply = 7,
    kCommandList = 8,
};
inline constexpr std::int32_t kCommandTypeCount = 9;

// The base of the nine command kinds: script text, optional condition, compiled form.
class NodeCommand {
public:
    NodeCommand() = default;
    NodeCommand(const NodeCommand&) = delete;
    NodeCommand& operator=(const NodeCommand&) = delete;
    virtual ~NodeCommand();

    std::int32_t GetType() const { return type_; }
    const std::string& GetText() const { return text_; }
    void SetText(std::string text);
    void SetCondition(std::unique_ptr<Conditional> condition);
    const Conditional* GetCondition() const { return condition_.get(); }
    virtual std::string GetTypeName() const { return {}; }

    // "if (" + condition + ") then " + text with a condition, the bare text without.
    std::string GetScriptText() const;

    // Parses and checks the script text, keeping the statement for Execute. Throws
    // SyntaxError; the command then has no statement.
    void Compile();
    bool IsCompiled() const { return statement_ != nullptr; }
    // The statement of the last successful compile; null before one or after a failure.
    const Statement* GetStatement() const { return statement_.get(); }
    // Runs the compiled statement, if any. Control transfers surface as
    // ControlFlowException, failures as RuntimeError.
    void Execute(Environment& environment) const;

    // The common part and the kind's fields, in the file or the archive layout. The
    // archive element reader has already consumed the leading type code.
    void WriteRecord(ByteWriter& out) const;
    // Reads what follows the type code: text, condition and the kind's fields.
    void ReadBody(ByteReader& in);

protected:
    explicit NodeCommand(std::int32_t type, std::string text = {})
        : text_(std::move(text)), type_(type) {}

    virtual void WriteFields(ByteWriter& /*out*/) const {}
    virtual void ReadFields(ByteReader& /*in*/) {}
    // Lets a kind repair fields the layout leaves out (the reply's variable).
    virtual void AfterRead() {}

private:
    std::string text_;
    std::unique_ptr<Conditional> condition_;
    std::unique_ptr<Statement> statement_;
    std::int32_t type_ = -1;
};

}  // namespace tw
