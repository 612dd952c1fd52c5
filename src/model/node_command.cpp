#include "model/node_command.h"

namespace tw {

NodeCommand::~NodeCommand() = default;

std::string NodeCommand::GetScriptText() const {
    if (condition_ == nullptr) {
        return text_;
    }
    return "if (" + condition_->GetExpression() + ") then " + text_;
}

void NodeCommand::WriteRecord(ByteWriter& out) const {
    out.WriteInt32(type_);
    out.WriteString(text_);
    out.WriteFlag(condition_ != nullptr);
    if (condition_ != nullptr) {
        out.WriteString(condition_->GetExpression());
    }
    WriteFields(out);
}

void NodeCommand::ReadBody(ByteReader& in) {
    condition_.reset();
    text_ = in.ReadString();
    if (in.ReadFlag()) {
        condition_ = std::make_unique<Conditional>(in.ReadString());
    }
    ReadFields(in);
    AfterRead();
}

}  // namespace tw
