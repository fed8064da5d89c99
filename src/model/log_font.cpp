#include "model/log_font.h"

bool LogFont::operator==(const LogFont& o) const {
    return height == o.height && width == o.width && escapement == o.escapement &&
           orientation == o.orientation && weight == o.weight && italic == o.italic &&
           underline == o.underline && strikeOut == o.strikeOut && charSet == o.charSet &&
           outPrecision == o.outPrecision && clipPrecision == o.clipPrecision &&
           quality == o.quality && pitchAndFamily == o.pitchAndFamily && faceName == o.faceName;
}

LogFont StartupDisplayFont() {
    LogFont font;
    font.weight = 400;
    font.charSet = 1;
    font.faceName = "Arial";
    return font;
}
