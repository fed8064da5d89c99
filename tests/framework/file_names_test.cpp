#include "framework/file_names.h"

#include <gtest/gtest.h>

#include <QtWidgets>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "fakes/when_modal.h"
#include "framework/qt_platform.h"

namespace {

// As UTF-8, so that a failure shows the texts rather than their UTF-16 units.
std::string Utf8(const char16_t* text) { return QString::fromUtf16(text).toStdString(); }

// A byte that is no part of a well-formed UTF-8 character shows as its Windows-1252
// character, or as U+FFFD where that code page has none; the caption shows names so.
TEST(FileNames, UndecodableBytesShowAsTheCodePageCharacters) {
    const struct {
        std::string bytes;
        const char16_t* shown;
    } cases[] = {
        {"caf\xE9.que", u"caf\u00e9.que"},
        {"caf\xC3\xA9 \xF0\x9F\x98\x80", u"caf\u00e9 \U0001F600"},
        {"a\xE2\x82", u"a\u00e2\u201a"},                              // cut short
        {"\xC0\xAF\xE0\x80\xAF", u"\u00c0\u00af\u00e0\u20ac\u00af"},  // overlong
        {"\xED\xA0\x80", u"\u00ed\u00a0\u20ac"},                      // a surrogate
        {"\xF4\x90\x80\x80", u"\u00f4\ufffd\u20ac\u20ac"},            // past U+10FFFF
        {"\x81\x8D\x8F\x90\x9D\xFF", u"\ufffd\ufffd\ufffd\ufffd\ufffd\u00ff"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayFileName(c.bytes).toStdString(), Utf8(c.shown)) << c.bytes;
    }
    QMainWindow frame;
    QtPlatform platform;
    platform.SetMainWindow(&frame);
    platform.SetCaption("Zentu - /tmp/caf\xE9.que");
    EXPECT_EQ(frame.windowTitle().toStdString(), Utf8(u"Zentu - /tmp/caf\u00e9.que"));
}

// The file dialog hands back the bytes of the file it means: the offered name as it was,
// after asking before that file is replaced, or the one entry that a typed name shows as.
TEST(FileNames, FileDialogKeepsTheBytesOfItsNames) {
    const std::string latin = "caf\xE9.que";
    const QString shown = QString::fromUtf16(u"caf\u00e9.que");
    struct Case {
        const char* folder;
        std::vector<std::string> files;
        const char16_t* typed;  // empty: the offered name is accepted
        std::string result;     // empty: the question is answered No
        const char16_t* asked;  // the name the question speaks of; empty: none
    } const cases[] = {
        {"replace", {latin}, u"", latin, u"caf\u00e9.que"},
        {"keep", {latin}, u"", "", u"caf\u00e9.que"},
        {"not there", {}, u"", latin, u""},
        {"new", {latin}, u"new.que", "new.que", u""},
        {"typed", {latin, "x\xE9.que"}, u"x\u00e9.que", "x\xE9.que", u"x\u00e9.que"},
        {"ambiguous", {"a\x81.que", "a\x8D.que"}, u"a\ufffd.que", "a\xEF\xBF\xBD.que", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        // In the temporary home, which goes with names that Unicode cannot carry.
        const std::string folder = std::string(std::getenv("HOME")) + "/" + c.folder + "/";
        ASSERT_TRUE(std::filesystem::create_directory(folder));
        for (const std::string& file : c.files) std::ofstream(folder + file) << "old";
        FileDialogData data;
        data.fileName = folder + latin;
        QString offered, asked;
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            offered = edit->text();
            if (*c.typed) edit->setText(QString::fromUtf16(c.typed));
            // Answers the question that accept() asks, if any; goes with the dialog.
            QTimer::singleShot(0, dialog, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked = box->text();
                    box->button(c.result.empty() ? QMessageBox::No : QMessageBox::Yes)->click();
                }
            });
            static_cast<QDialog*>(dialog)->accept();  // protected in QFileDialog
            if (dialog->isVisible()) dialog->reject();
        });
        const bool ok = QtPlatform().RunSaveDialog(data);
        EXPECT_EQ(ok, !c.result.empty());
        EXPECT_EQ(data.fileName, folder + (ok ? c.result : latin));
        EXPECT_EQ(offered.toStdString(), shown.toStdString());
        EXPECT_EQ(asked.section(' ', 0, 0).toStdString(), Utf8(c.asked)) << asked.toStdString();
    }
}

}  // namespace
