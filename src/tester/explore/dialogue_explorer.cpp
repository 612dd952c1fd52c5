#include "tester/explore/dialogue_explorer.h"

#include "model/dialogue.h"
#include "model/tree_walk.h"
#include "tester/explore/dialogue_tally.h"
#include "tester/explore/explore_display.h"
#include "tester/explore/explore_findings.h"
#include "tester/explore/seed_exploration.h"
#include "tester/random_source.h"
#include "tester/test_session.h"

namespace tw {
namespace {

// A reply is typed on one line.
std::vector<std::string> OneLineReplies(const std::vector<std::string>& replies) {
    std::vector<std::string> result;
    for (const std::string& reply : replies) {
        result.push_back(reply.substr(0, reply.find_first_of("\r\n")));
    }
    return result;
}

ExploreEnd Worse(ExploreEnd a, ExploreEnd b) {
    auto rank = [](ExploreEnd end) {
        switch (end) {
            case ExploreEnd::kCancelled:
                return 3;
            case ExploreEnd::kStateBound:
                return 2;
            case ExploreEnd::kQuestionBound:
                return 1;
            case ExploreEnd::kComplete:
                break;
        }
        return 0;
    };
    return rank(a) >= rank(b) ? a : b;
}

// What no road met: nodes never entered, and the [ADD] responses of entered nodes never
// offered (those of a node never entered could not be).
void AddUnmet(const DialogueTally& tally, ExploreFindings& findings) {
    for (std::uint32_t node = 0; node < tally.NodeCount(); ++node) {
        if (!tally.WasEntered(node)) {
            findings.AddWithoutRoad(NeverReachedPlace(node));
            continue;
        }
        const std::size_t rows = tally.NodeAt(node).Responses().size();
        for (std::size_t row = 0; row < rows; ++row) {
            if (tally.IsAdd(node, row) && !tally.WasOffered(node, row)) {
                findings.AddWithoutRoad(NeverOfferedPlace(tally, node, row));
            }
        }
    }
}

}  // namespace

ExploreResult ExploreDialogue(Dialogue& dialogue, DialogueNode* start,
                              const ExploreOptions& options, const ExploreControl& control) {
    ExploreResult result;
    ExploreOptions used = options;
    if (used.seeds.empty()) {
        used.seeds.push_back(1);
    }
    DialogueTally tally(dialogue);
    ExploreDisplay display(tally, used);
    PartySettings party = used.party;
    RandomSource random(used.seeds.front());
    TestSession session(dialogue, party, random, display, display);
    if (!session.CompileErrors().empty()) {
        result.compileErrors = session.CompileErrors();
        return result;
    }
    display.SetEngine(&session.Engine());
    ExploreFindings findings(tally);
    ExploreContext context{used,    control, start,   OneLineReplies(used.replies), tally, display,
                           session, party,   findings};
    for (std::size_t i = 0; i < used.seeds.size() && result.end != ExploreEnd::kCancelled; ++i) {
        context.seedIndex = i;
        SeedExploration seed(context, used.seeds[i]);
        result.end = Worse(result.end, seed.Run());
        result.states += seed.States();
        result.transitions += seed.Steps();
    }
    AddUnmet(tally, findings);
    result.stateMessages = display.StateMessages();
    result.coverage = tally.Coverage();
    result.nodes = tally.NodeCoverages();
    result.findings = findings.Take();
    return result;
}

ExploreJob::ExploreJob(const Dialogue& dialogue, const DialogueNode* start, ExploreOptions options)
    : bytes_(dialogue.Write()), options_(std::move(options)) {
    if (start != nullptr) {
        std::size_t index = 0;
        const DialogueNode* found = FindPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
            if (&node == start) {
                return true;
            }
            ++index;
            return false;
        });
        if (found != nullptr) {
            startIndex_ = index;
        }
    }
}

ExploreJob::~ExploreJob() = default;

ExploreResult ExploreJob::Run(const ExploreControl& control) {
    copy_ = std::make_unique<Dialogue>();
    if (const std::optional<std::string> error = copy_->Read(bytes_)) {
        ExploreResult result;
        result.compileErrors.push_back(*error);
        return result;
    }
    DialogueNode* start = nullptr;
    if (startIndex_) {
        std::size_t index = 0;
        start = FindPreOrder(copy_->Root(), [&](DialogueNode&) { return index++ == *startIndex_; });
    }
    return ExploreDialogue(*copy_, start, options_, control);
}

}  // namespace tw
