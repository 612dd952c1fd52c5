#pragma once

// NodeCommandList and NodeResponseList: the clipboard containers for commands and
// responses, as the bytes the editor puts on the clipboard under their format names.
//
// archive -> int32 count, then per element: int32 type, int32 type, the element's record

#include <cstdint>
#include <memory>
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
    bool Parse(std::string_view bytes) {
        elements_.clear();
        ByteReader in(bytes, ByteLayout::kArchive);
        const std::int32_t count = in.ReadInt32();
        std::vector<std::unique_ptr<Element>> read;
        // Each element takes bytes, so a huge count runs out of data, never of memory.
        for (std::int32_t i = 0; i < count && !in.Failed(); ++i) {
            std::unique_ptr<Element> element = MakeEmpty(in.ReadInt32());
            if (element == nullptr) {
                return false;
            }
            in.ReadInt32();  // the record repeats the type; the kind already fixes it
            element->ReadBody(in);
            read.push_back(std::move(element));
        }
        if (in.Failed() || count < 0) {
            return false;
        }
        elements_ = std::move(read);
        return true;
    }

private:
    std::vector<std::unique_ptr<Element>> elements_;
};

using NodeCommandList = ClipboardList<NodeCommand, MakeEmptyCommand>;
using NodeResponseList = ClipboardList<NodeResponse, MakeEmptyResponse>;

}  // namespace tw
