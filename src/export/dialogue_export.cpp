#include "export/dialogue_export.h"

#include <algorithm>

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

void ExportFirstLine(const DialogueNode& node, bool isRoot, std::string& script) {
    if (!isRoot) {
        script += node.GetName() + ") " + RtfToText(node.GetText()) + "  ";
    }
    for (const auto& command : node.Commands()) {
        script += "[" + command->GetScriptText() + "]";
        if (isRoot) {
            script += '\n';
        }
    }
    for (const auto& response : node.Responses()) {
        script += '[';
        if (const Conditional* condition = response->GetCondition()) {
            script += "if (" + condition->GetExpression() + ") ";
        }
        if (const auto* add = dynamic_cast<const NodeResponseAdd*>(response.get())) {
            script += "Add " + add->GetTag();
        } else if (const auto* cut = dynamic_cast<const NodeResponseCut*>(response.get())) {
            script += "Cut " + cut->GetCutTag();
        }
        script += ']';
    }
}

void ExportChoices(const DialogueNode& node, std::string& script) {
    for (const auto& response : node.Responses()) {
        if (const auto* add = dynamic_cast<const NodeResponseAdd*>(response.get())) {
            script += "    " + add->GetTag() + ") " + add->GetPlayerText() + " [Goto " +
                      add->GetGotoNode() + "]\n";
        }
    }
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
    // The root is the tree's top, whatever id a file gave it.
    ExportFirstLine(node, node.Parent() == nullptr, script);
    script += "\n\n";
    ExportChoices(node, script);
    script += '\n';
}

std::string ExportScript(const Dialogue& dialogue) {
    std::string script = "NPC: " + dialogue.Npc().name + "\n\n";
    script += "{** NPC Comments **}\n";
    script += "{** " + RemoveCommentMarks(dialogue.GetComments()) + " **}\n";
    script += "{Begin Dialogue}\n\n";
    ForEachPreOrder(dialogue.Root(), [&script](const DialogueNode& node) { Export(node, script); });
    return script;
}

std::optional<std::string> Export(const Dialogue& dialogue, const std::string& path) {
    return WriteExportFile(path, ExportScript(dialogue));
}

}  // namespace tw
