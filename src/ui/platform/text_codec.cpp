#include "ui/platform/text_codec.h"

#include <QFile>

#include "base/windows1252.h"

namespace tw {

// Every byte is one UTF-16 unit, so the text is sized once and written in place: labels and
// result lines come through here by the thousand.
QString FromBytes(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        *out++ = QChar(static_cast<char16_t>(Windows1252ToUnicode(static_cast<unsigned char>(c))));
    }
    return text;
}

std::string ToBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t code : text.toUcs4()) {
        const auto byte = UnicodeToWindows1252(code);
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes;
}

QString FromPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace tw
