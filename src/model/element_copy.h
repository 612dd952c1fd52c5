#pragma once

// Copies of commands and responses, made through their clipboard record so that a copy
// holds every field the record holds and nothing else.

#include <memory>

#include "model/clipboard_list.h"

namespace tw {

template <typename List, typename Element>
std::unique_ptr<Element> CopyElement(const Element& element) {
    const Element* one[] = {&element};
    List list;
    if (!list.Parse(List::Serialize(one))) {
        return nullptr;
    }
    return std::move(list.TakeAll().front());
}

inline std::unique_ptr<NodeCommand> CopyCommand(const NodeCommand& command) {
    return CopyElement<NodeCommandList>(command);
}

inline std::unique_ptr<NodeResponse> CopyResponse(const NodeResponse& response) {
    return CopyElement<NodeResponseList>(response);
}

}  // namespace tw
