#include "tester/node_text_preview.h"

#include "model/text/rtf_to_text.h"
#include "base/byte_string.h"

namespace tw {
namespace {

constexpr std::size_t kPreviewLength = 126;

}  // namespace

std::string PlainNodeText(std::string_view shownText, bool isRich) {
    return isRich ? RtfToText(shownText) : std::string(shownText);
}

std::string NodeTextPreview(std::string_view shownText, bool isRich) {
    const std::string plain = PlainNodeText(shownText, isRich);
    return Trim(std::string_view(plain).substr(0, kPreviewLength));
}

}  // namespace tw
