#pragma once

// The responses and commands of a node, for the fast JSON reader: each object is read
// whole before its kind decides which members count, as the full reader does.

#include <memory>

#include "model/json_fast_values.h"
#include "model/node_command.h"
#include "model/node_response.h"

namespace tw::json_fast {

std::unique_ptr<NodeResponse> ReadResponse(od::object object);
std::unique_ptr<NodeCommand> ReadCommand(od::object object);

}  // namespace tw::json_fast
