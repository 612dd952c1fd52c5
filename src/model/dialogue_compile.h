#pragma once

// The compile of a whole dialogue before a test run: every node's commands and response
// conditions, parent before children, with one message per failure and progress as it goes.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "model/dialogue.h"

namespace tw {

// Where a compile stands after a node.
struct CompileProgress {
    std::size_t compiled = 0;  // nodes compiled so far
    std::size_t total = 0;     // nodes in the tree, the initialization node included
    std::size_t errors = 0;    // messages so far

    // compiled / total * 100 in floating point, truncated: exactly 100 after the last node.
    int Percent() const;
    // The error count as the compile window shows it: "Errors found: " + count.
    std::string ErrorsFoundText() const;
};

using CompileProgressCallback = std::function<void(const CompileProgress&)>;

// Compiles every node in pre-order (its commands, then its response conditions) and returns
// the messages in the order found; progress is called after each node.
std::vector<std::string> CompileDialogue(Dialogue& dialogue,
                                         const CompileProgressCallback& progress = {});

}  // namespace tw
