#include "tester/node_text_preview.h"

#include "script/byte_string.h"

#if TW_HAVE_RTF_TO_TEXT
#include "export/rtf_to_text.h"
#endif

namespace tw {
namespace {

constexpr std::size_t kPreviewLength = 126;

}  // namespace

std::string PlainNodeText(std::string_view shownText, bool isRich) {
#if TW_HAVE_RTF_TO_TEXT
    if (isRich) {
        return RtfToText(shownText);
    }
#else
    // SEAM: until the export layer's RtfToText is linked in, rich text is read as it
    // stands, so a rich node never counts as blank.
    static_cast<void>(isRich);
#endif
    return std::string(shownText);
}

std::string NodeTextPreview(std::string_view shownText, bool isRich) {
    const std::string plain = PlainNodeText(shownText, isRich);
    return Trim(std::string_view(plain).substr(0, kPreviewLength));
}

}  // namespace tw
