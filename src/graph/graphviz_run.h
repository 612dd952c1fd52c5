#pragma once

// The one door to Graphviz. Its libraries keep global state (the error handler, the
// context's plugins and caches) and are not thread-safe, so every use in the process goes
// through RunGraphviz, one at a time.

#include <functional>
#include <string>

struct GVC_s;

namespace tw {

// Runs work with the process's Graphviz context, holding the lock all the while, on a thread
// of its own whose stack is large enough for the layout's deepest recursion (the caller
// waits). An exception thrown by work passes to the caller. Answers what Graphviz reported
// meanwhile (errors and warnings, which it would otherwise print on standard error).
std::string RunGraphviz(const std::function<void(GVC_s* context)>& work);

}  // namespace tw
