// The display font as the question file stores it: the thirteen numbers and the face
// name of a classic logical font description, independent of any toolkit.
#pragma once

#include <cstdint>
#include <string>

struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;  // at most kMaxFaceName bytes

    bool operator==(const LogFont& other) const;
    bool operator!=(const LogFont& other) const { return !(*this == other); }
};

// The face name field holds 32 bytes with its terminating NUL.
constexpr std::size_t kMaxFaceName = 31;

// The font the main window starts with: Arial, weight 400, character set 1.
LogFont StartupDisplayFont();
