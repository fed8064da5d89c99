#include "framework/font_mapping.h"

#include <gtest/gtest.h>

#include <QFontDialog>
#include <QFontMetrics>
#include <functional>

#include "fakes/when_modal.h"
#include "framework/qt_platform.h"
#include "model/question_file.h"

void PrintTo(const LogFont& font, std::ostream* os) { *os << FormatFontLine(font); }

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

// OK in the font dialog keeps every field the user did not change there: the dialog cannot
// show family bits, character set, precisions, quality or escapement, and rounds odd
// heights, weights and flag bytes.
TEST(FontMapping, FontDialogChangesOnlyWhatTheUserChanged) {
    // The capitals example's font, and one that the dialog can show only roughly.
    const LogFont capitals{-21, 0, 0, 0, 400, 0, 0, 0, 0, 3, 2, 1, 0x12, "Liberation Serif"};
    const LogFont odd{23, 7, 900, 450, 550, 255, 0, 9, 238, 4, 1, 5, 0x22, "Arial"};
    struct Case {
        const LogFont& original;
        std::function<void(QFont&)> change;  // none: OK at once
        std::function<void(LogFont&, const QFont& chosen)> expect;
    } const cases[] = {
        {capitals, {}, {}},
        {odd, {}, {}},
        {odd, [](QFont& f) { f.setPointSize(f.pointSize() + 6); },
         [](LogFont& l, const QFont& f) { l.height = LogFontFromFont(f, l).height, l.width = 0; }},
        {odd, [](QFont& f) { f.setWeight(QFont::Bold); },
         [](LogFont& l, const QFont&) { l.weight = 700; }},
        {odd, [](QFont& f) { f.setItalic(false), f.setUnderline(true), f.setStrikeOut(false); },
         [](LogFont& l, const QFont&) { l.italic = 0, l.underline = 1, l.strikeOut = 0; }},
        {capitals, [](QFont& f) { f.setFamily(QStringLiteral("Liberation Mono")); },
         [](LogFont& l, const QFont&) { l.faceName = "Liberation Mono", l.pitchAndFamily = 0x31; }},
    };
    QtPlatform platform;
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatFontLine(c.original) + (c.change ? " changed" : ""));
        QFont chosen;
        WhenModal<QFontDialog>([&](QFontDialog* dialog) {
            chosen = dialog->currentFont();
            if (c.change) {
                chosen.setStyleName({});  // else the style's name wins over weight and slant
                c.change(chosen);
                dialog->setCurrentFont(chosen);
                chosen = dialog->currentFont();
            }
            dialog->accept();
        });
        LogFont font = c.original, expected = c.original;
        ASSERT_TRUE(platform.RunFontDialog(font));
        if (c.expect) c.expect(expected, chosen);
        EXPECT_EQ(font, expected);
    }
}
