#pragma once

// Automatic exploration of a dialogue: plays it in the tester's own engine, from where a
// test starts, down every road a player can take (every offered response, both answers of
// every runtime-error question, a few typed replies), and reports what a player would meet:
// runtime errors, dead ends, states with no way to the end, nodes no road enters and
// responses no road offers, each with the shortest road to it as `play` input lines.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "tester/explore/explore_options.h"
#include "tester/explore/explore_result.h"

namespace tw {

class Dialogue;
class DialogueNode;

// Explores the dialogue on this thread, from its initialization node, or from start as
// "Test from Selected Node" starts (the initialization node's commands run unseen first).
// The dialogue is compiled first and is not otherwise changed; when it does not compile
// the result holds the compile messages and nothing else.
ExploreResult ExploreDialogue(Dialogue& dialogue, DialogueNode* start,
                              const ExploreOptions& options, const ExploreControl& control = {});

// An exploration that runs on a worker thread over its own copy of a dialogue, so the
// editor can go on editing the original while it runs.
class ExploreJob {
public:
    // On the thread that owns the dialogue: copies it, and notes start (nullptr for the
    // initialization node) by its place in the tree.
    ExploreJob(const Dialogue& dialogue, const DialogueNode* start, ExploreOptions options);
    ~ExploreJob();
    ExploreJob(const ExploreJob&) = delete;
    ExploreJob& operator=(const ExploreJob&) = delete;

    // On any one thread, once. The findings' node pointers point into the job's copy and
    // live as long as the job; node ids name the nodes in the original.
    ExploreResult Run(const ExploreControl& control = {});

private:
    std::string bytes_;
    std::optional<std::size_t> startIndex_;  // in pre-order
    ExploreOptions options_;
    std::unique_ptr<Dialogue> copy_;
};

}  // namespace tw
