#include "lua_form.h"

#include "model/command_kinds.h"
#include "base/byte_string.h"

namespace tw::bench {
namespace {

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Variable(std::string_view name) {
    return std::string(name.starts_with('$') ? name.substr(1) : name);
}

// The generated manual lines: assignments, "set" and if-then-else over assignments.
std::string LuaManual(const std::string& text) {
    std::string lua = ReplaceAll(ReplaceAll(text, "$", ""), "set ", "");
    lua = ReplaceAll(ReplaceAll(lua, "TRUE", "true"), "FALSE", "false");
    return lua.starts_with("if ") ? lua + " end" : lua;
}

std::string LuaList(const CommandList& list) {
    std::string lua = "list(";
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        if (list.GetChoice(i).empty()) {
            continue;
        }
        lua += "{" + Quoted(list.GetChoice(i)) + ", " + Quoted(list.GetNode(i));
        const std::string& condition = list.GetConditions()[i].GetExpression();
        lua += condition.empty() ? "}, " : ", " + LuaExpression(condition) + "}, ";
    }
    return lua + "{" + Quoted(list.GetReturnChoice()) + ", " + Quoted(list.GetReturnNode()) + "})";
}

std::string LuaBody(const NodeCommand& command) {
    switch (command.GetType()) {
        case kCommandFlag: {
            const auto& flag = static_cast<const CommandFlag&>(command);
            return flag.GetFlag() + (flag.IsSet() ? " = true" : " = false");
        }
        case kCommandVariable: {
            const auto& assign = static_cast<const CommandVariable&>(command);
            return Variable(assign.GetVariable()) + " = " + LuaExpression(assign.GetExpression());
        }
        case kCommandConditionalVariable: {
            const auto& assign = static_cast<const CommandConditionalVariable&>(command);
            return Variable(assign.GetVariable()) + " = (" +
                   LuaExpression(assign.GetTest().GetExpression()) + ") and (" +
                   LuaExpression(assign.GetTrueExpression()) + ") or (" +
                   LuaExpression(assign.GetFalseExpression()) + ")";
        }
        case kCommandYesNo: {
            const auto& branch = static_cast<const CommandYesNo&>(command);
            return "branch(" + Quoted(branch.GetChoice(0)) + ", " + Quoted(branch.GetNode(0)) +
                   ", " + Quoted(branch.GetChoice(1)) + ", " + Quoted(branch.GetNode(1)) + ")";
        }
        case kCommandList:
            return LuaList(static_cast<const CommandList&>(command));
        case kCommandGoto:
            return "jump(" + Quoted(static_cast<const CommandGoto&>(command).GetNode()) + ")";
        case kCommandReply:
            return "reply(" +
                   Quoted(Variable(static_cast<const CommandReply&>(command).GetVariable())) + ")";
        case kCommandEnd:
            return "end_conversation()";
        default:
            return LuaManual(command.GetText());
    }
}

}  // namespace

std::string LuaExpression(std::string_view expression) {
    std::string lua = ReplaceAll(std::string(expression), "$", "");
    lua = ReplaceAll(ReplaceAll(lua, "<>", "~="), "!=", "~=");
    return ReplaceAll(lua, " = ", " == ");
}

std::string LuaStatement(const NodeCommand& command) {
    const std::string body = LuaBody(command);
    const Conditional* condition = command.GetCondition();
    return condition == nullptr
               ? body
               : "if " + LuaExpression(condition->GetExpression()) + " then " + body + " end";
}

}  // namespace tw::bench
