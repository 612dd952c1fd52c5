#pragma once

// The OK rules of the response dialog, for its [ADD] and [CUT] modes.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/editing/ok_step.h"
#include "model/node_response.h"

namespace tw {

class Dialogue;
class DialogueNode;

// Everything the response dialog shows, as typed.
struct ResponseFields {
    bool addMode = true;
    std::string tag;
    std::string text;
    std::string gotoNode;
    std::string cutRow;  // the [CUT] box's text: a tag, or a row of tag and quoted text
    bool hasCondition = false;
    std::optional<std::string> condition;  // the condition chosen so far
};

// What the dialog is told about the document.
struct ResponseContext {
    Dialogue* dialogue = nullptr;
    std::vector<std::string> tags;  // the document's add-response tags
    std::vector<std::string> nodeNames;
    std::string currentTag;  // the tag of the response being edited; empty for a new one
};

// The messages OK shows in order, up to the first error. When they hold no error and every
// question is answered Yes, the fields are applied.
OkSteps CheckResponseFields(const ResponseFields& fields, const ResponseContext& context);

// Writes the fields into a response of the mode's kind. Call only after the checks passed.
void ApplyResponseFields(const ResponseFields& fields, const ResponseContext& context,
                         NodeResponse& response);

// A new response of the mode's kind with the fields applied.
std::unique_ptr<NodeResponse> BuildResponse(const ResponseFields& fields,
                                            const ResponseContext& context);

// The fields that show an existing response.
ResponseFields FieldsOfResponse(const NodeResponse& response);

// The tag a [CUT] box text names: trimmed, and cut at the first blank after its first
// character, so a row of tag, " - " and quoted text gives the tag.
std::string CutTagOfRow(std::string_view row);

// The rows of the [CUT] box: each tag, followed by " - " and the player text in double
// quotes when the document's response with that tag is an add-response.
std::vector<std::string> CutBoxRows(const std::vector<std::string>& tags, Dialogue& dialogue);

// The response a list row stands for: the first of the node, in list order, whose tag
// equals the row's "Tag" text, or, for a cut-response, "#" and its cut tag; both compared
// without regard to case.
NodeResponse* FindResponseOfRow(DialogueNode& node, std::string_view tagCell);

}  // namespace tw
