// Runs the edits of cases/tree_edits.txt: each line is a sequence of operations on a new
// document (or on the full one, after "full"), separated by ";". The answer is what the
// operations answered, then the tree as labels with ids and each node's {commands} and
// <response tags>, then whether it is modified.

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "model/command_kinds.h"
#include "model/dialogue_json.h"
#include "model/tree_view.h"
#include "model/tree_walk.h"
#include "support/dialogue_builder.h"
#include "support/line_cases.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

// A node's commands and responses: {commands} <tags, a cut as # and its cut tag>.
std::string Rows(const DialogueNode& node) {
    std::string rows;
    for (const auto& command : node.Commands()) {
        rows += (rows.empty() ? "{" : "; ") + command->GetScriptText();
    }
    rows += rows.empty() ? "" : "}";
    std::string tags;
    for (const auto& response : node.Responses()) {
        const auto* cut = dynamic_cast<const NodeResponseCut*>(response.get());
        tags += (tags.empty() ? "<" : ",") + (cut ? "#" + cut->GetCutTag() : response->GetTag());
    }
    return rows + tags + (tags.empty() ? "" : ">");
}

std::string Outline(const DialogueNode& node) {
    std::string out = node.Label() + "[" + std::to_string(node.GetId()) + "]" + Rows(node);
    if (!node.Children().empty()) {
        out += "(";
        for (const auto& child : node.Children()) {
            out += (child == node.Children().front() ? "" : " ") + Outline(*child);
        }
        out += ")";
    }
    return out;
}

std::string Place(const std::optional<NodePlace>& place) {
    return place ? std::to_string(place->parentId) + "/" + std::to_string(place->index) : "none";
}

class TreeEditor {
public:
    std::string Run(const std::string& line) {
        std::istringstream ops(line);
        std::string op;
        std::string said;
        while (std::getline(ops, op, ';')) {
            std::istringstream words(op);
            std::string answer = Do(words);
            said += answer.empty() ? "" : answer + " ";
        }
        return said + "\n" + Outline(dialogue_->Root()) + "\n" +
               (dialogue_->IsModified() ? "modified" : "not modified");
    }

private:
    std::int32_t Id(std::istream& in) {
        std::int32_t id = 0;
        in >> id;
        return id;
    }
    std::string Word(std::istream& in) {
        std::string word;
        in >> word;
        return word;
    }
    bool Ascending(std::istream& in) { return Word(in) == "asc"; }
    static std::string Said(bool done) { return done ? "yes" : "no"; }

    // Operations on one node's command and response lists; a removed row is held for the
    // next insert or replace.
    std::string DoRows(const std::string& op, DialogueNode& node, std::istream& in) {
        const auto at = [&in, this] { return static_cast<std::size_t>(Id(in)); };
        const auto commandAt = [&node](std::size_t row) {
            return row < node.Commands().size() ? node.Commands()[row].get() : nullptr;
        };
        if (op == "goto") {
            node.AppendCommand(std::make_unique<CommandGoto>(Word(in)));
        } else if (op == "endcmd") {
            node.AppendCommand(std::make_unique<CommandEnd>());
        } else if (op == "respond") {
            node.AppendResponse(std::make_unique<NodeResponseAdd>(Word(in)));
        } else if (op == "cut") {
            CutResponse(node, Word(in));
        } else if (op == "movecmd") {
            const std::size_t from = at();
            return Said(node.MoveCommand(from, at()));
        } else if (op == "moveresp") {
            const std::size_t from = at();
            return Said(node.MoveResponse(from, at()));
        } else if (op == "removecmd") {  // by the row's command
            heldCommand_ = node.RemoveCommand(commandAt(at()));
            return Said(heldCommand_ != nullptr);
        } else if (op == "removeheld") {  // the held command is in no list
            return Said(node.RemoveCommand(heldCommand_.get()) != nullptr);
        } else if (op == "replacecmd") {
            heldCommand_ = node.ReplaceCommand(commandAt(at()), std::move(heldCommand_));
            return heldCommand_ ? "replaced " + heldCommand_->GetScriptText() : "no";
        } else if (op == "takecmd") {
            heldCommand_ = node.RemoveCommandAt(at());
            return heldCommand_ ? "took " + heldCommand_->GetScriptText() : "no";
        } else if (op == "insertcmd") {
            node.InsertCommand(at(), std::move(heldCommand_));
        } else if (op == "removeresp") {
            heldResponse_ = node.RemoveResponse(node.Responses()[at()].get());
        } else if (op == "takeresp") {
            heldResponse_ = node.RemoveResponseAt(at());
        } else if (op == "insertresp") {
            node.InsertResponse(at(), std::move(heldResponse_));
        } else if (op == "replaceresp") {
            const std::size_t row = at();
            heldResponse_ =
                node.ReplaceResponseAt(row, std::make_unique<NodeResponseAdd>(Word(in)));
            return heldResponse_ ? "replaced " + heldResponse_->GetTag() : "no";
        } else if (op == "clear") {
            node.Clear();
            return "cleared [" + node.GetText() + "] [" + node.GetComments() + "] rich " +
                   Said(node.IsTextRich());
        } else if (op == "takecontents") {
            contents_ = node.TakeContents();
        } else if (op == "restorecontents") {
            node.RestoreContents(std::move(contents_));
        } else if (op == "shown") {  // the row's "Response" cell edited to the rest of the line
            NodeResponse& response = *node.Responses()[at()];
            std::string text;
            std::getline(in >> std::ws, text);
            const bool changed = response.EditShownText(text);
            const auto* add = dynamic_cast<const NodeResponseAdd*>(&response);
            return Said(changed) + " [" + text + "] [" +
                   (add ? add->GetPlayerText()
                        : static_cast<const NodeResponseCut&>(response).GetCutText()) +
                   "]";
        } else if (op == "rename") {
            node.SetName(Word(in));
        } else {
            ADD_FAILURE() << "unknown operation " << op;
        }
        return "";
    }

    std::string Do(std::istream& in) {
        const std::string op = Word(in);
        Dialogue& d = *dialogue_;
        static const std::set<std::string> kRowOps = {
            "goto",      "endcmd",       "respond",         "cut",        "movecmd",
            "moveresp",  "removecmd",    "removeheld",      "replacecmd", "takecmd",
            "insertcmd", "removeresp",   "takeresp",        "insertresp", "replaceresp",
            "clear",     "takecontents", "restorecontents", "rename",     "shown"};
        if (kRowOps.count(op) != 0) {  // ID first, then the row and the rest
            DialogueNode& node = *d.FindNodeById(Id(in));
            return DoRows(op, node, in);
        }
        if (op == "items") {  // the tree view's items: label/id/image/parent item
            std::string said;
            for (const TreeViewItem& item : TreeViewItems(d)) {
                EXPECT_EQ(item.node, d.FindNodeById(item.nodeId));
                said += (said.empty() ? "" : " ") + item.label + "/" + std::to_string(item.nodeId) +
                        "/" + std::to_string(item.image) + "/" + std::to_string(item.parentIndex);
            }
            return said;
        }
        if (op == "saveview") {  // each item's expanded state as 0 or 1, and the selected id
            std::vector<bool> expanded;
            for (char bit : Word(in)) {
                expanded.push_back(bit == '1');
            }
            SaveViewState(d, expanded, Id(in));
            return "";
        }
        if (op == "restoreview") {
            const ViewState state = RestoreViewState(d);
            std::string bits;
            for (bool expanded : state.expanded) {
                bits += expanded ? '1' : '0';
            }
            return "view " + bits + " item " + std::to_string(state.selectedIndex);
        }
        if (op == "select") {
            d.SetSelectedNodeId(Id(in));
            return "";
        }
        if (op == "nexttag") {
            return d.NextFreeResponseTag();
        }
        if (op == "tags") {
            std::vector<std::string> tags{"kept"};
            d.CollectResponseTags(tags);
            std::string said;
            for (const std::string& tag : tags) {
                said += (said.empty() ? "" : ",") + tag;
            }
            return said;
        }
        if (op == "findtag") {  // the node and row of the response with the tag
            const NodeResponse* found = d.FindResponseByTag(Word(in));
            std::string said = "none";
            ForEachPreOrder(d.Root(), [&](const DialogueNode& node) {
                for (std::size_t i = 0; i < node.Responses().size(); ++i) {
                    if (node.Responses()[i].get() == found) {
                        said = node.GetName() + "/" + std::to_string(i);
                    }
                }
            });
            return said;
        }
        if (op == "full") {
            dialogue_ = test::MakeFullDialogue();
        } else if (op == "add") {
            const std::int32_t id = Id(in);
            const std::int32_t parent = Id(in);
            const std::string name = Word(in);
            return Said(d.AddNode(id, parent, name, Word(in)) != nullptr);
        } else if (op == "append") {
            const std::int32_t id = Id(in);
            DialogueNode& parent = *d.FindNodeById(Id(in));
            d.AppendNode(parent, id, Word(in));
        } else if (op == "move") {
            const std::int32_t id = Id(in);
            return Said(d.MoveNode(id, Id(in)));
        } else if (op == "makeroot") {
            d.MakeRoot(Id(in));
        } else if (op == "delete") {
            d.DeleteBranch(Id(in));
        } else if (op == "sort") {
            const std::int32_t id = Id(in);
            d.SortChildren(id, Ascending(in));
        } else if (op == "sortbranch") {
            const std::int32_t id = Id(in);
            d.SortBranch(id, Ascending(in));
        } else if (op == "sortall") {
            d.SortAll(Ascending(in));
        } else if (op == "find") {
            const DialogueNode* node = d.FindNodeById(Id(in));
            return node ? node->GetName() + "/" + (node->Parent() ? node->Parent()->GetName() : "")
                        : "none";
        } else if (op == "findname") {
            std::string name;
            std::getline(in >> std::ws, name);
            const DialogueNode* node = d.FindNodeByName(name);
            return node ? std::to_string(node->GetId()) : "none";
        } else if (op == "place") {
            return Place(d.PlaceOf(Id(in)));
        } else if (op == "detach") {
            std::optional<DetachedBranch> branch = d.DetachBranch(Id(in));
            const std::string place = Place(branch ? std::optional(branch->place) : std::nullopt);
            if (branch) {
                detached_.push_back(std::move(*branch));
            }
            return place;
        } else if (op == "restore") {  // the last branch detached
            DetachedBranch branch = std::move(detached_.back());
            detached_.pop_back();
            return d.RestoreBranch(branch) ? "yes" : "no, kept " + branch.node->GetName();
        } else if (op == "placenode") {
            const std::int32_t id = Id(in);
            const std::int32_t parent = Id(in);
            return Said(d.PlaceNode(id, NodePlace{parent, static_cast<std::size_t>(Id(in))}));
        } else if (op == "capture") {
            orders_ = d.CaptureSiblingOrders(Id(in));
            std::string said = "orders";
            for (const auto& [parent, ids] : orders_) {
                said += " " + std::to_string(parent) + ":";
                for (std::size_t i = 0; i < ids.size(); ++i) {
                    said += (i == 0 ? "" : ",") + std::to_string(ids[i]);
                }
            }
            return said;
        } else if (op == "restoreorders") {
            d.RestoreSiblingOrders(orders_);
        } else if (op == "saved") {
            d.SetModified(false);
        } else if (op == "snap") {
            snap_ = DialogueToJson(d);
        } else if (op == "same") {  // every field as at the last snap
            return DialogueToJson(d) == snap_ ? "same" : "differs";
        } else if (!op.empty()) {
            ADD_FAILURE() << "unknown operation " << op;
        }
        return "";
    }

    std::unique_ptr<Dialogue> dialogue_ = std::make_unique<Dialogue>();
    std::unique_ptr<NodeCommand> heldCommand_;
    std::unique_ptr<NodeResponse> heldResponse_;
    NodeContents contents_;
    std::vector<DetachedBranch> detached_;
    SiblingOrders orders_;
    std::string snap_;
};

TEST(TreeCases, EditsGiveTheListedTrees) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/cases/tree_edits.txt",
                          [](const std::string& line) { return TreeEditor().Run(line); });
}

}  // namespace
}  // namespace tw
