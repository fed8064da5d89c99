#include "framework/font_mapping.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "framework/codepage.h"

namespace {

// The pitch and family byte: low two bits the pitch, high nibble the family.
constexpr int kFixedPitch = 1;
constexpr int kVariablePitch = 2;
constexpr int kFamilyRoman = 0x10;
constexpr int kFamilySwiss = 0x20;
constexpr int kFamilyModern = 0x30;
constexpr int kFamilyScript = 0x40;
constexpr int kFamilyDecorative = 0x50;

QFont::StyleHint HintOfFamily(int family) {
    switch (family) {
        case kFamilyRoman:
            return QFont::Serif;
        case kFamilySwiss:
            return QFont::SansSerif;
        case kFamilyModern:
            return QFont::TypeWriter;
        case kFamilyScript:
            return QFont::Cursive;
        case kFamilyDecorative:
            return QFont::Decorative;
        default:
            return QFont::AnyStyle;
    }
}

int FamilyOfHint(QFont::StyleHint hint) {
    switch (hint) {
        case QFont::Serif:
            return kFamilyRoman;
        case QFont::SansSerif:
            return kFamilySwiss;
        case QFont::TypeWriter:
            return kFamilyModern;
        case QFont::Cursive:
            return kFamilyScript;
        case QFont::Decorative:
            return kFamilyDecorative;
        default:
            return 0;
    }
}

// The pixel size whose cell (ascent + descent) comes closest to `cell` without passing it.
int PixelSizeForCell(QFont font, int cell) {
    font.setPixelSize(cell);
    const int measured = std::max(1, QFontMetrics(font).height());
    int size = std::max(1, static_cast<int>(std::lround(double(cell) * cell / measured)));
    for (int step = 0; step < 4; ++step) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() > cell && size > 1) {
            --size;
        } else {
            break;
        }
    }
    return size;
}

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

QFont FontFromLogFont(const LogFont& logFont) {
    QFont font;
    font.setFamily(TextToQString(logFont.faceName));
    font.setStyleHint(HintOfFamily(logFont.pitchAndFamily & 0xF0));
    font.setFixedPitch((logFont.pitchAndFamily & 0x03) == kFixedPitch);
    const int weight = logFont.weight <= 0 ? 400 : std::min(logFont.weight, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    if (logFont.height < 0) {
        // A negative height is always in range: -INT32_MIN is guarded against.
        font.setPixelSize(
            static_cast<int>(std::min<std::int64_t>(-std::int64_t{logFont.height}, 4096)));
    } else if (logFont.height > 0) {
        font.setPixelSize(PixelSizeForCell(font, std::min(logFont.height, 4096)));
    }
    return font;
}

LogFont LogFontFromFont(const QFont& font, const LogFont& base) {
    LogFont result = base;
    int pixels = font.pixelSize();
    if (pixels <= 0) {
        pixels = static_cast<int>(std::lround(font.pointSizeF() * LogicalDpi() / 72.0));
    }
    result.height = -std::max(1, pixels);
    result.width = 0;
    result.escapement = 0;
    result.orientation = 0;
    result.weight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
    result.italic = font.italic() ? 1 : 0;
    result.underline = font.underline() ? 1 : 0;
    result.strikeOut = font.strikeOut() ? 1 : 0;
    const bool fixed = QFontInfo(font).fixedPitch();
    result.pitchAndFamily = static_cast<std::uint8_t>(
        fixed ? kFixedPitch | kFamilyModern : kVariablePitch | FamilyOfHint(font.styleHint()));
    std::string face = QStringToText(font.family());
    if (face.size() > kMaxFaceName) {
        face.resize(kMaxFaceName);
    }
    result.faceName = face;
    return result;
}

LogFont ChosenLogFont(const LogFont& current, const QFont& offered, const QFont& chosen) {
    const LogFont was = LogFontFromFont(offered, current);
    const LogFont now = LogFontFromFont(chosen, current);
    LogFont result = current;
    const bool newFace = offered.family() != chosen.family();
    const bool newSize =
        offered.pointSizeF() != chosen.pointSizeF() || offered.pixelSize() != chosen.pixelSize();
    if (newFace) {
        result.faceName = now.faceName;
        result.pitchAndFamily = now.pitchAndFamily;
    }
    if (newSize) {
        result.height = now.height;
    }
    if (newFace || newSize) {
        // An average character width belongs to the face and size it was measured for.
        result.width = 0;
    }
    if (was.weight != now.weight) {
        result.weight = now.weight;
    }
    // A stored flag byte may be any non-zero value; it is rewritten only when switched.
    if (was.italic != now.italic) {
        result.italic = now.italic;
    }
    if (was.underline != now.underline) {
        result.underline = now.underline;
    }
    if (was.strikeOut != now.strikeOut) {
        result.strikeOut = now.strikeOut;
    }
    return result;
}
