#pragma once

// The dialogue file's fixed values and the messages of its reader.

#include <cstdint>
#include <string_view>

namespace tw {

inline constexpr std::uint32_t kDialogueMagic = 0x70F4C3A9;
inline constexpr std::uint8_t kNodeMarker = 0xEE;

inline constexpr std::string_view kNotVrxMessage = "This is not a valid VRX file.";
inline constexpr std::string_view kNewerVersionMessage =
    "This file was created with a newer version of the VRE and is incompatible with older "
    "versions.  Please upgrade.";
inline constexpr std::string_view kDamagedMessage =
    "This VRX file is damaged and could not be read.";
inline constexpr std::string_view kUnableToOpenMessage = "Unable to open file";

}  // namespace tw
