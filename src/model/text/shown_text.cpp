#include "model/text/shown_text.h"

#include <algorithm>

namespace tw {

std::string ShownText(std::string_view bytes, ShownTextLimit limit) {
    std::size_t cut = bytes.size() > limit.characters ? limit.characters : std::string_view::npos;
    if (limit.oneLine) {
        cut = std::min(cut, bytes.substr(0, limit.characters + 1).find_first_of("\r\n"));
    }
    if (cut == std::string_view::npos) {
        return std::string(bytes);
    }
    std::string shown(bytes.substr(0, cut));
    shown += kEllipsisByte;
    return shown;
}

}  // namespace tw
