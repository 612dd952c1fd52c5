#include "model/check/check_messages.h"

#include "model/check/dialogue_references.h"

namespace tw {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string MissingNodeMessage(const NodeReference& reference) {
    std::string what;
    switch (reference.kind) {
        case ReferenceKind::Goto:
            what = "goto";
            break;
        case ReferenceKind::Branch:
            what = "branch choice " + Quoted(reference.choice);
            break;
        case ReferenceKind::List:
            what = "list choice " + Quoted(reference.choice);
            break;
        case ReferenceKind::ListReturn:
            what = "list return choice " + Quoted(reference.choice);
            break;
        case ReferenceKind::Add:
            what = "response [" + std::string(reference.choice) + "]";
            break;
    }
    return what + " leads to node " + Quoted(reference.target) +
           ", which this dialogue does not have";
}

std::string AmbiguousTagMessage(std::string_view tag, std::string_view firstNodeLabel) {
    return "[ADD] tag " + Quoted(tag) + " is also added in node " + Quoted(firstNodeLabel) +
           " with a different text or target";
}

std::string UnknownCutTagMessage(std::string_view tag) {
    return "[CUT] names tag " + Quoted(tag) + ", which no [ADD] response of this dialogue has";
}

std::string UnsetNameMessage(std::string_view name) {
    const char* what = name.front() == '$' ? "variable " : "flag ";
    return what + Quoted(name) + " is read but never set";
}

}  // namespace tw
