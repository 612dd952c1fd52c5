#include "model/editing/response_dialog_rules.h"

#include <algorithm>

#include "model/dialogue.h"
#include "base/byte_string.h"

namespace tw {
namespace {

bool Contains(const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [name](const std::string& each) { return EqualsNoCase(each, name); });
}

const NodeResponseAdd* AddResponseTagged(Dialogue* dialogue, std::string_view tag) {
    return dialogue ? dynamic_cast<const NodeResponseAdd*>(dialogue->FindResponseByTag(tag))
                    : nullptr;
}

void AddError(OkSteps& steps, std::string text) {
    steps.push_back(OkStep{OkStep::kError, std::move(text)});
}

void AddQuestion(OkSteps& steps, std::string text) {
    steps.push_back(OkStep{OkStep::kQuestion, std::move(text)});
}

// An error ends the list; the blank checks come first, then the tag's characters.
bool CheckAddBlanks(const std::string& tag, const std::string& text, const std::string& node,
                    OkSteps& steps) {
    if (tag.empty()) {
        AddError(steps, "The response tag must not be blank");
    } else if (text.empty()) {
        AddError(steps, "The response string must not be blank");
    } else if (node.empty()) {
        AddError(steps, "The goto-node must not be blank");
    } else if (ContainsWhiteSpace(tag) || ContainsNonWordChar(tag)) {
        AddError(steps,
                 "The response tag may only contain alphanumeric characters (including the "
                 "underscore character)");
    }
    return steps.empty();
}

void CheckAdd(const ResponseFields& fields, const ResponseContext& context, OkSteps& steps) {
    const std::string tag = Trim(fields.tag);
    const std::string node = Trim(fields.gotoNode);
    if (!CheckAddBlanks(tag, Trim(fields.text), node, steps)) {
        return;
    }
    if (!EqualsNoCase(tag, context.currentTag) && Contains(context.tags, tag)) {
        AddQuestion(steps, "The response tag \"" + tag +
                               "\" is already used by this dialogue.  Are you sure you"
                               " want to re-use it here?  (Note that this will result in "
                               "ambiguous branching if it is not corrected)");
    }
    if (!Contains(context.nodeNames, node)) {
        AddQuestion(steps, "The node \"" + node + "\" does not exist.  Are you sure?");
    }
}

void CheckCut(const ResponseFields& fields, const ResponseContext& context, OkSteps& steps) {
    const std::string tag = CutTagOfRow(fields.cutRow);
    if (tag.empty()) {
        AddError(steps, "The response tag must not be blank");
    } else if (!Contains(context.tags, tag)) {
        AddQuestion(steps, "The response tag \"" + tag + "\" does not exist.  Are you sure?");
    }
}

}  // namespace

// The condition is checked with the others, before anything is written: a refused OK must
// leave the response as it was, since the writer may still cancel.
OkSteps CheckResponseFields(const ResponseFields& fields, const ResponseContext& context) {
    OkSteps steps;
    if (fields.addMode) {
        CheckAdd(fields, context, steps);
    } else {
        CheckCut(fields, context, steps);
    }
    if (!EndsInError(steps) && fields.hasCondition && !fields.condition) {
        AddError(steps, "You must choose a conditional expression");
    }
    return steps;
}

void ApplyResponseFields(const ResponseFields& fields, const ResponseContext& context,
                         NodeResponse& response) {
    if (auto* add = dynamic_cast<NodeResponseAdd*>(&response)) {
        add->SetTag(Trim(fields.tag));
        add->SetPlayerText(Trim(fields.text));
        add->SetGotoNode(Trim(fields.gotoNode));
    } else if (auto* cut = dynamic_cast<NodeResponseCut*>(&response)) {
        const std::string tag = CutTagOfRow(fields.cutRow);
        if (const NodeResponseAdd* source = AddResponseTagged(context.dialogue, tag)) {
            cut->SetCutText(source->GetPlayerText());
        }
        cut->SetCutTag(tag);
    }
    response.SetCondition(fields.hasCondition && fields.condition
                              ? std::make_unique<Conditional>(*fields.condition)
                              : nullptr);
}

std::unique_ptr<NodeResponse> BuildResponse(const ResponseFields& fields,
                                            const ResponseContext& context) {
    std::unique_ptr<NodeResponse> response =
        MakeEmptyResponse(fields.addMode ? kResponseAdd : kResponseCut);
    ApplyResponseFields(fields, context, *response);
    return response;
}

ResponseFields FieldsOfResponse(const NodeResponse& response) {
    ResponseFields fields;
    if (const auto* add = dynamic_cast<const NodeResponseAdd*>(&response)) {
        fields.tag = add->GetTag();
        fields.text = add->GetPlayerText();
        fields.gotoNode = add->GetGotoNode();
    } else if (const auto* cut = dynamic_cast<const NodeResponseCut*>(&response)) {
        fields.addMode = false;
        fields.cutRow = cut->GetCutTag();
    }
    if (const Conditional* condition = response.GetCondition()) {
        fields.hasCondition = true;
        fields.condition = condition->GetExpression();
    }
    return fields;
}

std::string CutTagOfRow(std::string_view row) {
    std::string tag = Trim(row);
    const std::size_t blank = tag.find(' ', 1);
    if (blank != std::string::npos) {
        tag.resize(blank);
    }
    return tag;
}

std::vector<std::string> CutBoxRows(const std::vector<std::string>& tags, Dialogue& dialogue) {
    std::vector<std::string> rows;
    for (const std::string& tag : tags) {
        const NodeResponseAdd* add = AddResponseTagged(&dialogue, tag);
        rows.push_back(add ? tag + " - \"" + add->GetPlayerText() + "\"" : tag);
    }
    return rows;
}

NodeResponse* FindResponseOfRow(DialogueNode& node, std::string_view tagCell) {
    for (const auto& response : node.Responses()) {
        const auto* cut = dynamic_cast<const NodeResponseCut*>(response.get());
        const bool matches = cut ? EqualsNoCase("#" + cut->GetCutTag(), tagCell)
                                 : EqualsNoCase(response->GetTag(), tagCell);
        if (matches) {
            return response.get();
        }
    }
    return nullptr;
}

}  // namespace tw
