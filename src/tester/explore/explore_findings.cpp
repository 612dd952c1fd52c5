#include "tester/explore/explore_findings.h"

#include <algorithm>
#include <tuple>

#include "base/byte_string.h"
#include "model/check/check_messages.h"
#include "model/dialogue_node.h"
#include "tester/explore/dialogue_tally.h"
#include "tester/explore/explore_display.h"
#include "tester/run_state.h"

namespace tw {
namespace {

Severity SeverityOf(std::string_view rule) {
    return rule == kRuleRuntimeError || rule == kRuleDeadEnd ? Severity::Error : Severity::Warning;
}

std::size_t RuleOrder(std::string_view rule) {
    const auto& rules = ExploreRules();
    return static_cast<std::size_t>(std::find(rules.begin(), rules.end(), rule) - rules.begin());
}

// The "Description:" line of a runtime error's message box: the error itself.
std::string Description(std::string_view text) {
    constexpr std::string_view kHead = "\nDescription: ";
    const std::size_t at = text.find(kHead);
    if (at == std::string_view::npos) {
        std::string flat(text);
        std::replace(flat.begin(), flat.end(), '\n', ' ');
        return flat;
    }
    const std::string_view rest = text.substr(at + kHead.size());
    return std::string(rest.substr(0, rest.find('\n')));
}

template <typename List, typename Item>
std::size_t RowOf(const List& list, const Item* item) {
    const auto found =
        std::find_if(list.begin(), list.end(), [item](const auto& p) { return p.get() == item; });
    return static_cast<std::size_t>(found - list.begin());
}

const std::string kFails = " fails at run time: ";

}  // namespace

const std::vector<std::string_view>& ExploreRules() {
    static const std::vector<std::string_view> rules{kRuleRuntimeError, kRuleDeadEnd, kRuleNoWayOut,
                                                     kRuleNeverReached, kRuleNeverOffered};
    return rules;
}

FindingPlace RuntimeErrorPlace(const DialogueTally& tally, const StepFailure& failure,
                               const OfferedResponse* chosen) {
    FindingPlace place{kRuleRuntimeError, tally.IndexOf(failure.node), ItemKind::Node, 0, {}, {}};
    if (place.node == DialogueTally::kNoNode) {
        place.node = 0;
    }
    const std::string description = Description(failure.text);
    if (failure.response != nullptr && failure.node != nullptr) {
        place.item = ItemKind::Response;
        place.row = RowOf(failure.node->Responses(), failure.response);
        place.tag = failure.response->GetTag();
        const std::string condition = failure.response->HasCondition()
                                          ? failure.response->GetCondition()->GetExpression()
                                          : std::string();
        place.message = "condition " + Quoted(condition) +
                        (place.tag.empty() ? "" : " of [ADD] " + Quoted(place.tag)) + kFails +
                        description;
    } else if (failure.command != nullptr && failure.node != nullptr) {
        place.item = ItemKind::Command;
        place.row = RowOf(failure.node->Commands(), failure.command);
        place.message = "command " + Quoted(failure.command->GetText()) + kFails + description;
    } else if (chosen != nullptr) {
        place.tag = chosen->tag;
        place.message = "response " + Quoted(chosen->playerText) + kFails + description;
    } else {
        place.message = "runtime error: " + description;
    }
    return place;
}

FindingPlace DeadEndPlace(std::uint32_t node) {
    return {kRuleDeadEnd,
            node,
            ItemKind::Node,
            0,
            {},
            "the conversation waits here with nothing on offer and no reply asked, though it "
            "has not ended"};
}

FindingPlace NoWayOutPlace(std::uint32_t node) {
    return {kRuleNoWayOut,
            node,
            ItemKind::Node,
            0,
            {},
            "no road from here reaches the end of the conversation"};
}

FindingPlace NeverReachedPlace(std::uint32_t node) {
    return {kRuleNeverReached, node, ItemKind::Node, 0, {}, "no road enters this node"};
}

FindingPlace NeverOfferedPlace(const DialogueTally& tally, std::uint32_t node, std::size_t row) {
    const auto& add = static_cast<const NodeResponseAdd&>(*tally.NodeAt(node).Responses()[row]);
    return {kRuleNeverOffered,
            node,
            ItemKind::Response,
            row,
            add.GetTag(),
            "no road offers the response " + Quoted(add.GetPlayerText()) + " ([ADD] " +
                Quoted(add.GetTag()) + ")"};
}

ExploreFindings::Kept& ExploreFindings::Slot(const FindingPlace& place, bool& isNew) {
    std::string key(place.rule);
    for (const std::string& part :
         {std::to_string(place.node), std::to_string(static_cast<int>(place.item)),
          std::to_string(place.row), place.tag, place.message}) {
        key += '\0';
        key += part;
    }
    const auto [at, inserted] = kept_.try_emplace(std::move(key));
    isNew = inserted;
    Kept& kept = at->second;
    if (inserted) {
        const DialogueNode& node = tally_.NodeAt(place.node);
        Finding& f = kept.finding.finding;
        f.rule = std::string(place.rule);
        f.severity = SeverityOf(place.rule);
        f.node = &node;
        f.nodeId = node.GetId();
        f.nodeLabel = node.Label();
        f.item = place.item;
        f.index = place.row;
        f.message = place.message;
        kept.finding.tag = place.tag;
        kept.node = place.node;
    }
    return kept;
}

void ExploreFindings::Add(FindingPlace place, std::uint32_t seed, std::uint32_t roadLines,
                          const std::function<std::vector<std::string>()>& road) {
    bool isNew = false;
    Kept& kept = Slot(place, isNew);
    if (isNew || roadLines < kept.lines) {
        kept.lines = roadLines;
        kept.finding.hasRoad = true;
        kept.finding.seed = seed;
        kept.finding.road = road();
    }
}

void ExploreFindings::AddWithoutRoad(FindingPlace place) {
    bool isNew = false;
    Slot(place, isNew);
}

std::vector<ExploreFinding> ExploreFindings::Take() {
    std::vector<Kept*> order;
    for (auto& [key, kept] : kept_) {
        order.push_back(&kept);
    }
    auto rank = [](const Kept* k) {
        const Finding& f = k->finding.finding;
        return std::make_tuple(k->node, RuleOrder(f.rule), static_cast<int>(f.item), f.index,
                               std::string_view(f.message));
    };
    std::stable_sort(order.begin(), order.end(),
                     [&rank](const Kept* a, const Kept* b) { return rank(a) < rank(b); });
    std::vector<ExploreFinding> findings;
    findings.reserve(order.size());
    for (Kept* kept : order) {
        findings.push_back(std::move(kept->finding));
    }
    kept_.clear();
    return findings;
}

}  // namespace tw
