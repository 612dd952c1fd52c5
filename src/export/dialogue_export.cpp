#include "export/dialogue_export.h"

#include <algorithm>

#include "export/crlf_block_writer.h"
#include "export/export_file.h"
#include "model/text/rtf_to_text.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

using namespace std::string_view_literals;

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

// Where the script goes: a string here, a block writer for a file. Put takes text that may
// hold line feeds, PutRaw the script's own punctuation, which never does.
class StringOut {
public:
    explicit StringOut(std::string& script) : script_(script) {}
    void Put(std::string_view text) { script_.append(text); }
    void PutRaw(std::string_view bytes) { script_.append(bytes); }
    void PutLineEnd() { script_.push_back('\n'); }

private:
    std::string& script_;
};

// Writes the script piece by piece, never through temporaries, since that is the export's
// whole cost; one buffer serves the plain text of every node.
template <typename Out>
class ScriptWriter {
public:
    explicit ScriptWriter(Out& out) : out_(out) {}

    void PutHeader(const Dialogue& dialogue) {
        out_.PutRaw("NPC: "sv);
        out_.Put(dialogue.Npc().name);
        PutLineEnds(2);
        out_.PutRaw("{** NPC Comments **}"sv);
        out_.PutLineEnd();
        out_.PutRaw("{** "sv);
        out_.Put(RemoveCommentMarks(dialogue.GetComments()));
        out_.PutRaw(" **}"sv);
        out_.PutLineEnd();
        out_.PutRaw("{Begin Dialogue}"sv);
        PutLineEnds(2);
    }

    void PutNode(const DialogueNode& node) {
        // The root is the tree's top, whatever id a file gave it.
        PutFirstLine(node, node.Parent() == nullptr);
        PutLineEnds(2);
        PutChoices(node);
        out_.PutLineEnd();
    }

private:
    void PutLineEnds(int count) {
        for (int i = 0; i < count; ++i) {
            out_.PutLineEnd();
        }
    }

    void PutFirstLine(const DialogueNode& node, bool isRoot) {
        if (!isRoot) {
            out_.Put(node.GetName());
            out_.PutRaw(") "sv);
            out_.Put(RtfToText(node.GetText(), text_));
            out_.PutRaw("  "sv);
        }
        PutCommands(node, isRoot);
        PutResponseTags(node);
    }

    void PutCondition(const Conditional* condition, std::string_view after) {
        if (condition != nullptr) {
            out_.PutRaw("if ("sv);
            out_.Put(condition->GetExpression());
            out_.PutRaw(after);
        }
    }

    void PutCommands(const DialogueNode& node, bool isRoot) {
        for (const auto& command : node.Commands()) {
            out_.PutRaw("["sv);
            PutCondition(command->GetCondition(), ") then "sv);
            out_.Put(command->GetText());
            out_.PutRaw("]"sv);
            if (isRoot) {
                out_.PutLineEnd();
            }
        }
    }

    // The type says which class a response is, so no cast has to be tried.
    void PutResponseTags(const DialogueNode& node) {
        for (const auto& response : node.Responses()) {
            out_.PutRaw("["sv);
            PutCondition(response->GetCondition(), ") "sv);
            if (response->GetType() == kResponseAdd) {
                out_.PutRaw("Add "sv);
                out_.Put(response->GetTag());
            } else {
                out_.PutRaw("Cut "sv);
                out_.Put(static_cast<const NodeResponseCut&>(*response).GetCutTag());
            }
            out_.PutRaw("]"sv);
        }
    }

    void PutChoices(const DialogueNode& node) {
        for (const auto& response : node.Responses()) {
            if (response->GetType() != kResponseAdd) {
                continue;
            }
            const auto& add = static_cast<const NodeResponseAdd&>(*response);
            out_.PutRaw("    "sv);
            out_.Put(add.GetTag());
            out_.PutRaw(") "sv);
            out_.Put(add.GetPlayerText());
            out_.PutRaw(" [Goto "sv);
            out_.Put(add.GetGotoNode());
            out_.PutRaw("]"sv);
            out_.PutLineEnd();
        }
    }

    Out& out_;
    std::string text_;
};

template <typename Out>
void PutScript(const Dialogue& dialogue, Out& out) {
    ScriptWriter<Out> writer(out);
    writer.PutHeader(dialogue);
    ForEachPreOrder(dialogue.Root(), [&writer](const DialogueNode& node) { writer.PutNode(node); });
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
    ScriptWriter<StringOut>(out).PutNode(node);
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
