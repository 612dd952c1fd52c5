#pragma once

#include <string>
#include <vector>

namespace tw {

class NodeCommand;
class NodeResponse;

// What one row of the command or response list shows: its image and its cells.
struct ListRow {
    int image = 0;
    std::vector<std::string> cells;
    bool operator==(const ListRow&) const = default;
};

// The list image of a command kind; the list question shares the two-way question's.
int CommandImageIndex(int commandType);
// "Command", "String", "Condition": the kind's name, the command's text without its
// condition, and the condition.
ListRow CommandRow(const NodeCommand& command);
// "Tag", "Type", "Response", "Goto Node", "Condition".
ListRow ResponseRow(const NodeResponse& response);

}  // namespace tw
