#include "model/text/rich_text.h"

namespace tw {

void AppendText(RichText& rich, const TextStyle& style, std::string_view text) {
    if (text.empty()) {
        return;
    }
    if (!rich.empty() && rich.back().style == style) {
        rich.back().text += text;
    } else {
        rich.push_back(TextRun{style, std::string(text)});
    }
}

std::string PlainText(const RichText& rich) {
    std::string text;
    for (const TextRun& run : rich) {
        text += run.text;
    }
    return text;
}

}  // namespace tw
