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

// The font dialog gives back what it was given, except what the user changed in it: the
// fields it cannot show (family bits, character set, precisions, quality, escapement) and
// the ones it rounds (a cell height, a weight between its styles, a flag byte other than 1).
TEST(FontMapping, FontDialogChangesOnlyWhatTheUserChanged) {
    // The capitals example's font line, and one that the dialog can show only roughly.
    const LogFont capitals{-21, 0, 0, 0, 400, 0, 0, 0, 0, 3, 2, 1, 0x12, "Liberation Serif"};
    const LogFont odd{23, 7, 900, 450, 550, 255, 0, 9, 238, 4, 1, 5, 0x22, "Arial"};
    const auto bigger = [](QFont& f) { f.setPointSize(f.pointSize() + 6); };
    // What the user changes in the dialog (nothing: OK at once), and the fields that follow.
    struct Case {
        const LogFont& original;
        std::function<void(QFont&)> change;
        std::function<void(LogFont&, const QFont& chosen)> expect;
    } const cases[] = {
        {capitals, {}, [](LogFont&, const QFont&) {}},
        {odd, {}, [](LogFont&, const QFont&) {}},
        {capitals, bigger,
         [](LogFont& l, const QFont& f) { l.height = LogFontFromFont(f, l).height; }},
        {odd, bigger,
         [](LogFont& l, const QFont& f) {
             l = {LogFontFromFont(f, l).height,
                  0,
                  900,
                  450,
                  550,
                  255,
                  0,
                  9,
                  238,
                  4,
                  1,
                  5,
                  0x22,
                  "Arial"};
         }},
        {odd, [](QFont& f) { f.setWeight(QFont::Bold); },
         [](LogFont& l, const QFont&) { l.weight = 700; }},
        {capitals, [](QFont& f) { f.setItalic(true); },
         [](LogFont& l, const QFont&) { l.italic = 1; }},
        {odd, [](QFont& f) { f.setUnderline(true), f.setStrikeOut(false); },
         [](LogFont& l, const QFont&) { l.underline = 1, l.strikeOut = 0; }},
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
        LogFont font = c.original;
        ASSERT_TRUE(platform.RunFontDialog(font));
        LogFont expected = c.original;
        c.expect(expected, chosen);
        EXPECT_EQ(font, expected);
        EXPECT_EQ(font == c.original, !c.change);
    }
    WhenModal<QFontDialog>([](QFontDialog* dialog) {
        dialog->setCurrentFont(QFont(QStringLiteral("Liberation Mono"), 30));
        dialog->reject();
    });
    LogFont font = odd;
    EXPECT_FALSE(platform.RunFontDialog(font));
    EXPECT_EQ(font, odd);
}
