#include "framework/font_mapping.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

// A negative height is the character height in pixels, 0 the default size, and a positive
// one the cell height, which the font fills without passing it.
TEST(FontMapping, LogFontToQFont) {
    auto font = [](std::int32_t height, std::int32_t weight) {
        LogFont logFont = StartupDisplayFont();
        logFont.height = height;
        logFont.weight = weight;
        return FontFromLogFont(logFont);
    };
    EXPECT_EQ(font(0, 0).pixelSize(), -1);  // Qt's default size
    EXPECT_EQ(font(0, 0).weight(), QFont::Normal);
    EXPECT_LE(QFontMetrics(font(20, 400)).height(), 20);
}

TEST(FontMapping, ChosenFontBackToALogFont) {
    // In the order of the file's font line: height, width, escapement, orientation, weight,
    // italic, underline, strike-out, character set, precisions, quality, pitch and family.
    const LogFont original{-17, 9, 900, 0, 700, 1, 1, 1, 1, 0, 0, 2, 0x22, "Arial"};
    LogFont expected = original;
    expected.width = expected.escapement = 0;  // the font dialog offers neither
    EXPECT_EQ(LogFontFromFont(FontFromLogFont(original), original), expected);

    // Point sizes become negative pixel heights; a face name is cut to its field.
    QFont font(QString(40, QLatin1Char('F')));
    font.setPointSize(12);
    const LogFont chosen = LogFontFromFont(font, StartupDisplayFont());
    EXPECT_LT(chosen.height, 0);
    EXPECT_EQ(chosen.faceName, std::string(kMaxFaceName, 'F'));
}
