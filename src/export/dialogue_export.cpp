#include "export/dialogue_export.h"

#include <algorithm>

#include "export/crlf_block_writer.h"
#include "export/export_file.h"
#include "model/text/rtf_to_text.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

// Bytes a style mark takes, the mark byte included; 0 for any other byte.
std::size_t MarkLength(char c) {
    switch (c) {
        case '\x02':
        case '\x03':
            return 2;
        case '\x04':
            return 4;
        default:
            return 0;
    }
}

// Where the script goes: a string here, a block writer for a file.
class StringOut {
public:
    explicit StringOut(std::string& script) : script_(script) {}
    void Put(std::string_view text) { script_.append(text); }
    void Put(char c) { script_.push_back(c); }

private:
    std::string& script_;
};

// The script is written piece by piece, never through temporaries, since it is the
// export's whole cost.
template <typename Out>
void PutCondition(Out& out, std::string_view expression, std::string_view after) {
    out.Put("if (");
    out.Put(expression);
    out.Put(after);
}

template <typename Out>
void PutCommands(const DialogueNode& node, bool isRoot, Out& out) {
    for (const auto& command : node.Commands()) {
        out.Put('[');
        if (const Conditional* condition = command->GetCondition()) {
            PutCondition(out, condition->GetExpression(), ") then ");
        }
        out.Put(command->GetText());
        out.Put(']');
        if (isRoot) {
            out.Put('\n');
        }
    }
}

template <typename Out>
void PutResponseTags(const DialogueNode& node, Out& out) {
    for (const auto& response : node.Responses()) {
        out.Put('[');
        if (const Conditional* condition = response->GetCondition()) {
            PutCondition(out, condition->GetExpression(), ") ");
        }
        if (const auto* add = dynamic_cast<const NodeResponseAdd*>(response.get())) {
            out.Put("Add ");
            out.Put(add->GetTag());
        } else if (const auto* cut = dynamic_cast<const NodeResponseCut*>(response.get())) {
            out.Put("Cut ");
            out.Put(cut->GetCutTag());
        }
        out.Put(']');
    }
}

template <typename Out>
void PutFirstLine(const DialogueNode& node, bool isRoot, Out& out) {
    if (!isRoot) {
        out.Put(node.GetName());
        out.Put(") ");
        out.Put(RtfToText(node.GetText()));
        out.Put("  ");
    }
    PutCommands(node, isRoot, out);
    PutResponseTags(node, out);
}

template <typename Out>
void PutChoices(const DialogueNode& node, Out& out) {
    for (const auto& response : node.Responses()) {
        if (const auto* add = dynamic_cast<const NodeResponseAdd*>(response.get())) {
            out.Put("    ");
            out.Put(add->GetTag());
            out.Put(") ");
            out.Put(add->GetPlayerText());
            out.Put(" [Goto ");
            out.Put(add->GetGotoNode());
            out.Put("]\n");
        }
    }
}

template <typename Out>
void PutNode(const DialogueNode& node, Out& out) {
    // The root is the tree's top, whatever id a file gave it.
    PutFirstLine(node, node.Parent() == nullptr, out);
    out.Put("\n\n");
    PutChoices(node, out);
    out.Put('\n');
}

template <typename Out>
void PutScript(const Dialogue& dialogue, Out& out) {
    out.Put("NPC: ");
    out.Put(dialogue.Npc().name);
    out.Put("\n\n{** NPC Comments **}\n{** ");
    out.Put(RemoveCommentMarks(dialogue.GetComments()));
    out.Put(" **}\n{Begin Dialogue}\n\n");
    ForEachPreOrder(dialogue.Root(), [&out](const DialogueNode& node) { PutNode(node, out); });
}

}  // namespace

std::string RemoveCommentMarks(std::string_view comments) {
    std::string plain;
    plain.reserve(comments.size());
    for (std::size_t i = 0; i < comments.size();) {
        const std::size_t mark = MarkLength(comments[i]);
        if (mark == 0) {
            plain += comments[i++];
        } else {
            i += std::min(mark, comments.size() - i);
        }
    }
    return plain;
}

void Export(const DialogueNode& node, std::string& script) {
    StringOut out(script);
    PutNode(node, out);
}

std::string ExportScript(const Dialogue& dialogue) {
    std::string script;
    StringOut out(script);
    PutScript(dialogue, out);
    return script;
}

std::optional<std::string> Export(const Dialogue& dialogue, const std::string& path) {
    return WriteExportFile(path, [&dialogue](CrLfBlockWriter& out) { PutScript(dialogue, out); });
}

}  // namespace tw
