#pragma once

// NodeCommandList and NodeResponseList: the clipboard containers for commands and
// responses, as the bytes the editor puts on the clipboard under their format names.
//
// archive -> int32 count, then per element: int32 type, int32 type, the element's record

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/command_kinds.h"
#include "model/node_response.h"

namespace tw {

inline constexpr std::string_view kNodeCommandListFormat = "NodeCommandList";
inline constexpr std::string_view kNodeResponseListFormat = "NodeResponseList";

// A counted list of owned elements that serialises to and parses from the archive layout.
// MakeEmpty(type) builds an element to read into, or nullptr for an unknown type.
template <typename Element, std::unique_ptr<Element> (*MakeEmpty)(std::int32_t)>
class ClipboardList {
public:
    explicit ClipboardList(std::size_t count = 0) : elements_(count) {}

    std::size_t GetCount() const { return elements_.size(); }
    const Element* GetAt(std::size_t index) const { return elements_.at(index).get(); }
    void SetAt(std::size_t index, std::unique_ptr<Element> element) {
        elements_.at(index) = std::move(element);
    }
    void Clear() { elements_.clear(); }
    // Hands every element to the caller; the list is empty afterwards.
    std::vector<std::unique_ptr<Element>> TakeAll() { return std::exchange(elements_, {}); }

    // The archive bytes of the elements given (they stay the caller's).
    static std::string Serialize(std::span<const Element* const> elements) {
        ByteWriter out(ByteLayout::kArchive);
        out.WriteInt32(static_cast<std::int32_t>(elements.size()));
        for (const Element* element : elements) {
            out.WriteInt32(element->GetType());
            element->WriteRecord(out);
        }
        return out.TakeBytes();
    }
    std::string Serialize() const {
        std::vector<const Element*> filled;
        for (const auto& element : elements_) {
            if (element != nullptr) {
                filled.push_back(element.get());
            }
        }
        return Serialize(filled);
    }

    // Replaces the list with the archive's elements. Damaged bytes or an unknown type
    // code keep nothing and answer false.
    bool Parse(std::string_view bytes) { return !Read(bytes).has_value(); }

    // The same, answering why the archive can't be read ("element 2 of 3 has the unknown
    // type code 12"); nothing when it was read.
    std::optional<std::string> Read(std::string_view bytes) {
        elements_.clear();
        ByteReader in(bytes, ByteLayout::kArchive);
        const std::int32_t count = in.ReadInt32();
        if (in.Failed()) {
            return "it ends before its count of elements";
        }
        if (count < 0) {
            return "its count of elements is negative (" + std::to_string(count) + ")";
        }
        std::vector<std::unique_ptr<Element>> read;
        // Each element takes bytes, so a huge count runs out of data, never of memory.
        for (std::int32_t i = 0; i < count; ++i) {
            const std::string place =
                "element " + std::to_string(i + 1) + " of " + std::to_string(count);
            const std::int32_t type = in.ReadInt32();
            std::unique_ptr<Element> element = MakeEmpty(type);
            if (element == nullptr && !in.Failed()) {
                return place + " has the unknown type code " + std::to_string(type);
            }
            if (element != nullptr) {
                in.ReadInt32();  // the record repeats the type; the kind already fixes it
                element->ReadBody(in);
            }
            if (in.Failed()) {
                return "it ends inside " + place;
            }
            read.push_back(std::move(element));
        }
        elements_ = std::move(read);
        return std::nullopt;
    }

private:
    std::vector<std::unique_ptr<Element>> elements_;
};

// What a paste says when the clipboard's archive can't be read: kind is "commands" or
// "responses", reason what Read answered.
inline std::string UnreadablePasteMessage(std::string_view kind, std::string_view reason) {
    return "The clipboard does not hold " + std::string(kind) +
           " this editor can read: " + std::string(reason) + ".";
}

using NodeCommandList = ClipboardList<NodeCommand, MakeEmptyCommand>;
using NodeResponseList = ClipboardList<NodeResponse, MakeEmptyResponse>;

}  // namespace tw
