#include "model/node_command.h"

#include "script/compile.h"
#include "script/environment.h"

namespace tw {

NodeCommand::~NodeCommand() = default;

// A compiled statement belongs to the text it came from.
void NodeCommand::SetText(std::string text) {
    text_ = std::move(text);
    statement_.reset();
}

void NodeCommand::SetCondition(std::unique_ptr<Conditional> condition) {
    condition_ = std::move(condition);
    statement_.reset();
}

void NodeCommand::Compile() {
    statement_.reset();
    statement_ = CompileStatement(GetScriptText());
}

void NodeCommand::Execute(Environment& environment) const {
    if (statement_ != nullptr) {
        statement_->Execute(environment);
    }
}

std::string NodeCommand::GetScriptText() const {
    if (condition_ == nullptr) {
        return text_;
    }
    return "if (" + condition_->GetExpression() + ") then " + text_;
}

void NodeCommand::WriteRecord(ByteWriter& out) const {
    out.WriteInt32(type_);
    out.WriteString(text_);
    WriteOptionalCondition(out, condition_.get());
    WriteFields(out);
}

void NodeCommand::ReadBody(ByteReader& in) {
    statement_.reset();
    text_ = in.ReadString();
    condition_ = ReadOptionalCondition(in);
    ReadFields(in);
    AfterRead();
}

}  // namespace tw
