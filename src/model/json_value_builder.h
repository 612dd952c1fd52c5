#pragma once

// Assembles one JSON value from a parser's events, so that a large document can be read a
// piece at a time: only the piece being read is ever held as a tree.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tw {

class JsonValueBuilder {
public:
    using Json = nlohmann::json;

    // True between the first event of a value and the last one.
    bool Building() const { return !open_.empty(); }
    // True once a whole value has been put together, until Take.
    bool Complete() const { return complete_; }

    // A scalar, or an empty object or array that the events after it fill until Close.
    void Put(Json value);
    // The key of the next member of the innermost open object. A repeated key keeps its
    // last value, as when the library parses a whole document.
    void Key(const std::string& key);
    void Close();

    Json Take();

private:
    Json* NextSlot();

    Json value_;
    std::vector<Json*> open_;  // the containers being filled, innermost last
    Json* member_ = nullptr;   // where the value after the latest key goes
    bool complete_ = false;
};

}  // namespace tw
