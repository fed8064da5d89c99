#include "framework/font_mapping.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace {

LogFont Font(std::int32_t height, std::int32_t weight, bool italic = false) {
    LogFont font = StartupDisplayFont();
    font.height = height;
    font.weight = weight;
    font.italic = italic ? 1 : 0;
    return font;
}

}  // namespace

TEST(FontMapping, LogFontToQFont) {
    struct Case {
        LogFont logFont;
        int pixelSize;  // -1: Qt's default size
        int weight;
        bool italic;
    };
    const Case cases[] = {
        {Font(-20, 400), 20, QFont::Normal, false}, {Font(-13, 700, true), 13, QFont::Bold, true},
        {Font(0, 0), -1, QFont::Normal, false},     {Font(-12, 100), 12, QFont::Thin, false},
        {Font(-12, 5000), 12, 1000, false},
    };
    for (const Case& c : cases) {
        const QFont font = FontFromLogFont(c.logFont);
        EXPECT_EQ(font.pixelSize(), c.pixelSize) << c.logFont.height;
        EXPECT_EQ(font.weight(), c.weight) << c.logFont.weight;
        EXPECT_EQ(font.italic(), c.italic);
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
    }
}

TEST(FontMapping, PositiveHeightIsTheCellHeight) {
    for (int cell : {12, 20, 33}) {
        const QFont font = FontFromLogFont(Font(cell, 400));
        const int measured = QFontMetrics(font).height();
        EXPECT_LE(measured, cell);
        EXPECT_GE(measured, cell - 3) << "cell " << cell;
        EXPECT_LT(font.pixelSize(), cell);
    }
}

TEST(FontMapping, EffectsAndFaceSurviveTheRoundTrip) {
    LogFont original = Font(-17, 700, true);
    original.underline = 1;
    original.strikeOut = 1;
    original.faceName = "Courier New";
    original.charSet = 0;
    original.quality = 2;
    const LogFont back = LogFontFromFont(FontFromLogFont(original), original);
    EXPECT_EQ(back.height, -17);
    EXPECT_EQ(back.weight, 700);
    EXPECT_EQ(back.italic, 1);
    EXPECT_EQ(back.underline, 1);
    EXPECT_EQ(back.strikeOut, 1);
    EXPECT_EQ(back.faceName, "Courier New");
    EXPECT_EQ(back.charSet, 0);
    EXPECT_EQ(back.quality, 2);
}

TEST(FontMapping, PointSizesBecomeNegativePixelHeights) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(12);
    LogFont base = StartupDisplayFont();
    base.width = 9;
    const LogFont result = LogFontFromFont(font, base);
    EXPECT_LT(result.height, 0);
    EXPECT_EQ(result.width, 0);
    EXPECT_EQ(result.faceName, "Liberation Sans");
}

TEST(FontMapping, LongFaceNamesAreCutToTheField) {
    QFont font(QString(40, QLatin1Char('F')));
    font.setPixelSize(10);
    EXPECT_EQ(LogFontFromFont(font, StartupDisplayFont()).faceName.size(), kMaxFaceName);
}
