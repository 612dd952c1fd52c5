// Runs the tree edits of cases/tree_edits.txt: each line is a sequence of operations on a
// new document (or on the full one, after "full"), separated by ";". The answer is what the
// operations answered, then the tree as labels with ids, then whether it is modified.

#include <gtest/gtest.h>

#include <sstream>

#include "model/dialogue_json.h"
#include "support/line_cases.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

std::string Outline(const DialogueNode& node) {
    std::string out = node.Label() + "[" + std::to_string(node.GetId()) + "]";
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

    std::string Do(std::istream& in) {
        const std::string op = Word(in);
        Dialogue& d = *dialogue_;
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
