#pragma once

// The texts of the check's findings, shared by the full check and the cached one so both
// say the same words.

#include <string>
#include <string_view>

namespace tw {

struct NodeReference;

inline constexpr std::string_view kUnreachableNodeMessage =
    "no road from the initialization node leads to this node";

std::string Quoted(std::string_view text);
std::string MissingNodeMessage(const NodeReference& reference);
std::string AmbiguousTagMessage(std::string_view tag, std::string_view firstNodeLabel);
std::string UnknownCutTagMessage(std::string_view tag);
std::string UnsetNameMessage(std::string_view name);

}  // namespace tw
