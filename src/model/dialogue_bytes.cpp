#include "model/dialogue_bytes.h"

#include "base/byte_string.h"
#include "model/dialogue.h"
#include "model/dialogue_file_format.h"
#include "model/file.h"

namespace tw {
namespace {

constexpr std::size_t kHeaderBytes = 8;  // magic and version

std::uint32_t LittleEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

// The message the reader would give for these first bytes, when they already decide it.
std::optional<std::string> HeaderRefusal(std::string_view header, DialogueForms forms) {
    if (forms == DialogueForms::kFileOrJson && !header.empty() &&
        (header[0] == '{' || IsSpace(header[0]))) {
        return std::nullopt;  // perhaps JSON, which has no header to check
    }
    if (header.size() >= 4 && LittleEndian32(header) != kDialogueMagic) {
        return std::string(kNotVrxMessage);
    }
    if (header.size() >= kHeaderBytes &&
        static_cast<std::int32_t>(LittleEndian32(header.substr(4))) > kCurrentFileVersion) {
        return std::string(kNewerVersionMessage);
    }
    return std::nullopt;
}

DialogueBytes Refused(std::string message) {
    return DialogueBytes{{}, std::move(message)};
}

}  // namespace

DialogueBytes ReadDialogueBytes(const std::string& path, DialogueForms forms,
                                std::uint64_t maxBytes) {
    BinaryFile file;
    const RegularFileOpen::Status opened = file.OpenRegularForReading(path);
    if (opened == RegularFileOpen::kNotRegular) {
        return Refused(NotRegularFileMessage("a dialogue"));
    }
    if (opened != RegularFileOpen::kOpened) {
        return Refused(std::string(kUnableToOpenMessage));
    }
    const std::optional<std::uint64_t> size = file.RegularFileSize();
    if (size && *size > maxBytes) {
        return Refused(TooLargeMessage("a dialogue", size, maxBytes));
    }
    std::optional<std::string> header = file.ReadUpTo(kHeaderBytes);
    if (!header) {
        return Refused(std::string(kUnableToOpenMessage));
    }
    if (std::optional<std::string> refusal = HeaderRefusal(*header, forms)) {
        return Refused(std::move(*refusal));
    }
    File::BoundedBytes body = file.ReadAtMost(maxBytes, std::move(*header));
    if (body.status == File::BoundedBytes::kTooLarge) {
        return Refused(TooLargeMessage("a dialogue", size, maxBytes));
    }
    if (body.status == File::BoundedBytes::kFailed) {
        return Refused(std::string(kUnableToOpenMessage));
    }
    return DialogueBytes{std::move(body.bytes), std::nullopt};
}

}  // namespace tw
