#include "model/node_response.h"

#include "script/compile.h"
#include "script/environment.h"
#include "script/value.h"

namespace tw {

NodeResponse::~NodeResponse() = default;

void NodeResponse::SetCondition(std::unique_ptr<Conditional> condition) {
    condition_ = std::move(condition);
    compiled_.reset();
}

void NodeResponse::Compile() {
    compiled_.reset();
    if (condition_ != nullptr) {
        compiled_ = ParseCondition(condition_->GetExpression());
    }
}

Value NodeResponse::Evaluate(const Environment& environment) const {
    return compiled_ != nullptr ? compiled_->Evaluate(environment) : Value(true);
}

void NodeResponse::WriteRecord(ByteWriter& out) const {
    out.WriteInt32(type_);
    out.WriteString(tag_);
    WriteOptionalCondition(out, condition_.get());
    WriteStrings(out);
}

void NodeResponse::ReadBody(ByteReader& in) {
    compiled_.reset();
    tag_ = in.ReadString();
    condition_ = ReadOptionalCondition(in);
    ReadStrings(in);
}

bool NodeResponseAdd::EditShownText(std::string& text) {
    if (text.empty()) {
        text = playerText_;
        return false;
    }
    const bool changed = text != playerText_;
    playerText_ = text;
    return changed;
}

bool NodeResponseCut::EditShownText(std::string& text) {
    text = cutText_;
    return false;
}

std::unique_ptr<NodeResponse> MakeEmptyResponse(std::int32_t type) {
    if (type == kResponseAdd) {
        return std::make_unique<NodeResponseAdd>();
    }
    return std::make_unique<NodeResponseCut>();
}

}  // namespace tw
