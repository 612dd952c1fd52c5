#include "model/dialogue.h"

#include <cstdio>
#include <set>

#include "base/byte_string.h"
#include "model/node_compare.h"
#include "model/sorted_array.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

std::string BuildDefaultComments() {
    const std::string open =
        "\x02"
        "B";
    const std::string close =
        "\x03"
        "B";
    std::string text = open + "Portrait:" + close + "\n";
    text +=
        "You see a cheerful man who reminds you oddly of Lord Ambrel, even down to his "
        "mannerisms.\n\n";
    text += open + "Schedule:\n" + close;
    for (const char* line :
         {"0001-0300 - Fending off bizarre messages crazy dialogue writers", "0301-0600 - Sleeping",
          "0601-0630 - Breakfast at home", "0631-1200 - At his day job",
          "1201-1230 - Eating lunch at his cube", "1231-1900 - At his day job",
          "1901-1930 - Eating supper at home", "1931-2400 - Acting as taskmaster for Vorunda"}) {
        text += std::string(line) + "\n";
    }
    text += "\n";
    text += open + "Flags and Variables:\n" + close;
    text += "kNameOrvane\nkMetOrvane\nkVorundaBehindSchedule\n\n";
    text += open + "Version History:\n" + close;
    return text + "Version 0.0 - Quillmark";
}

}  // namespace

const std::string& DefaultNpcComments() {
    static const std::string comments = BuildDefaultComments();
    return comments;
}

Dialogue::Dialogue()
    : root_(std::make_unique<DialogueNode>(kInitializationNodeId, "Initialization Node")),
      comments_(DefaultNpcComments()) {}

DialogueNode* Dialogue::FindNodeById(std::int32_t id) {
    return nodeIds_.Find(id);
}

const DialogueNode* Dialogue::FindNodeById(std::int32_t id) const {
    return nodeIds_.Find(id);
}

DialogueNode* Dialogue::FindNodeByName(std::string_view name) {
    return FindPreOrder(
        *root_, [name](const DialogueNode& node) { return EqualsNoCase(node.GetName(), name); });
}

DialogueNode* Dialogue::AddNode(std::int32_t id, std::int32_t parentId, std::string name,
                                std::string description) {
    DialogueNode* parent = FindNodeById(parentId);
    if (parent == nullptr) {
        return nullptr;
    }
    return &AppendNode(*parent, id, std::move(name), std::move(description));
}

DialogueNode& Dialogue::AppendNode(DialogueNode& parent, std::int32_t id, std::string name,
                                   std::string description) {
    return parent.AppendChild(
        std::make_unique<DialogueNode>(id, std::move(name), std::move(description)));
}

DialogueNode* Dialogue::FindMovableNode(std::int32_t id) {
    DialogueNode* node = FindNodeById(id);
    return node == root_.get() ? nullptr : node;
}

bool Dialogue::MoveNode(std::int32_t id, std::int32_t newParentId) {
    DialogueNode* node = FindMovableNode(id);
    DialogueNode* newParent = FindNodeById(newParentId);
    if (node == nullptr || newParent == nullptr || node->Contains(newParent)) {
        return false;
    }
    if (node->Parent() == newParent && newParent->Children().back().get() == node) {
        return false;
    }
    newParent->AppendChild(node->Parent()->DetachChild(node));
    return true;
}

void Dialogue::MakeRoot(std::int32_t id) {
    DialogueNode* node = FindMovableNode(id);
    if (node != nullptr) {
        root_->AppendChild(node->Parent()->DetachChild(node));
    }
}

void Dialogue::DeleteBranch(std::int32_t id) {
    DialogueNode* node = FindMovableNode(id);
    if (node != nullptr) {
        node->Parent()->DetachChild(node);  // destroyed here with its subtree
    }
}

void Dialogue::SortChildrenOf(DialogueNode& node, bool ascending) {
    if (node.Children().empty()) {
        return;
    }
    std::vector<NodeSortKey> keys;
    keys.reserve(node.Children().size());
    for (const auto& child : node.Children()) {
        keys.push_back(SortKeyOf(child.get()));
    }
    const SortedArray<NodeSortKey, NodeCompare> sorted(std::move(keys), NodeCompare(ascending));
    std::vector<DialogueNode*> order;
    order.reserve(sorted.Elements().size());
    for (const NodeSortKey& key : sorted.Elements()) {
        order.push_back(key.node);
    }
    node.ReorderChildren(order);
    modified_ = true;
}

void Dialogue::SortChildren(std::int32_t id, bool ascending) {
    if (DialogueNode* node = FindNodeById(id)) {
        SortChildrenOf(*node, ascending);
    }
}

// Sorting a node's children before the walk reaches them gives the same result as
// sorting each branch after its parent.
void Dialogue::SortBranch(std::int32_t id, bool ascending) {
    if (DialogueNode* node = FindNodeById(id)) {
        ForEachPreOrder(*node, [&](DialogueNode& each) { SortChildrenOf(each, ascending); });
    }
}

void Dialogue::SortAll(bool ascending) {
    SortBranch(root_->GetId(), ascending);
}

void Dialogue::Compile(std::vector<std::string>& errors,
                       const std::function<void()>& afterEachNode) {
    ForEachPreOrder(*root_, [&](DialogueNode& node) {
        node.Compile(errors);
        if (afterEachNode) {
            afterEachNode();
        }
    });
}

void Dialogue::CollectResponseTags(std::vector<std::string>& tags) const {
    ForEachPreOrder(*root_, [&tags](const DialogueNode& node) {
        for (const auto& response : node.Responses()) {
            if (response->GetType() == kResponseAdd) {
                tags.push_back(response->GetTag());
            }
        }
    });
}

std::string Dialogue::NextFreeResponseTag() const {
    std::vector<std::string> collected;
    CollectResponseTags(collected);
    const std::set<std::string, LessNoCase> taken(collected.begin(), collected.end());
    char letter = 'A';
    int number = 1;
    for (;;) {
        char candidate[32];
        std::snprintf(candidate, sizeof candidate, "%c%02d", letter, number);
        if (taken.find(std::string_view(candidate)) == taken.end()) {
            return candidate;
        }
        if (++letter > 'Z') {
            letter = 'A';
            ++number;
        }
    }
}

NodeResponse* Dialogue::FindResponseByTag(std::string_view tag) {
    NodeResponse* found = nullptr;
    FindPreOrder(*root_, [&](DialogueNode& node) {
        for (const auto& response : node.Responses()) {
            const auto* cut = dynamic_cast<const NodeResponseCut*>(response.get());
            const bool matches = cut != nullptr ? EqualsNoCase("#" + cut->GetCutTag(), tag)
                                                : EqualsNoCase(response->GetTag(), tag);
            if (matches) {
                found = response.get();
                return true;
            }
        }
        return false;
    });
    return found;
}

}  // namespace tw
