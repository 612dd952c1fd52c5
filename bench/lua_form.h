#pragma once

// The commands of a generated dialogue written as Lua 5.4, statement for statement, so
// that `luac -p` parses the same work our parser does.

#include <string>
#include <string_view>

#include "model/node_command.h"

namespace tw::bench {

// A script expression as Lua: variables lose their '$', equality becomes "==" and the
// inequality operators "~=". Enough for the expressions the generator writes.
std::string LuaExpression(std::string_view expression);

// One Lua statement doing what the command does; control transfers become calls.
std::string LuaStatement(const NodeCommand& command);

}  // namespace tw::bench
