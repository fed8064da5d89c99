#include "framework/file_names.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "fakes/when_modal.h"
#include "framework/qt_platform.h"

namespace {

// Compared as UTF-8, so that a failure shows the texts rather than their UTF-16 units.
std::string Utf8(const char16_t* text) { return QString::fromUtf16(text).toStdString(); }

// UTF-8 shows as it is; every byte of a malformed sequence shows on its own as its
// Windows-1252 character, and the code page's five unassigned bytes as U+FFFD.
TEST(FileNames, UndecodableBytesShowAsTheCodePageCharacters) {
    const struct {
        std::string bytes;
        const char16_t* shown;
    } cases[] = {
        {"caf\xE9.que", u"caf\u00e9.que"},
        {"caf\xC3\xA9.que", u"caf\u00e9.que"},
        {"\xF0\x9F\x98\x80!", u"\U0001F600!"},
        {"a\xE2\x82", u"a\u00e2\u201a"},                    // cut short
        {"\xC0\xAF", u"\u00c0\u00af"},                      // overlong
        {"\xED\xA0\x80", u"\u00ed\u00a0\u20ac"},            // a surrogate
        {"\xF4\x90\x80\x80", u"\u00f4\ufffd\u20ac\u20ac"},  // past U+10FFFF
        {"\x81\x8D\x8F\x90\x9D\xFF", u"\ufffd\ufffd\ufffd\ufffd\ufffd\u00ff"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayFileName(c.bytes).toStdString(), Utf8(c.shown)) << c.bytes;
    }
    QMainWindow frame;
    QtPlatform platform;
    platform.SetMainWindow(&frame);
    platform.SetCaption("Zentu Program 1.02 - /tmp/caf\xE9.que");
    EXPECT_EQ(frame.windowTitle().toStdString(), Utf8(u"Zentu Program 1.02 - /tmp/caf\u00e9.que"));
}

// The file dialogs hand back the bytes of the file they mean: the offered name as it was,
// after the usual question before it is replaced, and a name typed as a caption shows it
// as the one entry that shows so.
TEST(FileNames, FileDialogsKeepTheBytesOfTheirNames) {
    const std::string latin = "caf\xE9.que";
    const std::string utf8 = "caf\xC3\xA9.que";
    const QString shown = QString::fromUtf16(u"caf\u00e9.que");
    const QString unknown = QString::fromUtf16(u"caf\ufffd.que");
    using Box = QMessageBox;
    struct Case {
        const char* what;
        bool save;
        std::string offered;  // "@": the folder's path in front
        std::vector<std::string> files;
        QString typed;               // empty: the offered name is accepted
        Box::StandardButton answer;  // to a question, if one is asked
        std::string result;          // "@": the folder's path in front; empty: Cancel
        QString question;            // the name it speaks of; empty: none
    } const cases[] = {
        {"replace", true, "@/" + latin, {latin}, "", Box::Yes, "@/" + latin, shown},
        {"keep", true, "@/" + latin, {latin}, "", Box::No, "", shown},
        {"relative", true, latin, {latin}, "", Box::Yes, latin, shown},
        {"new", true, "@/" + latin, {latin}, "neu.que", Box::Yes, "@/neu.que", ""},
        {"typed", false, "", {latin}, shown, Box::Ok, "@/" + latin, ""},
        {"UTF-8 first", false, "", {latin, utf8}, shown, Box::Ok, "@/" + utf8, ""},
        {"ambiguous", false, "", {"caf\x81.que", "caf\x8D.que"}, unknown, Box::Ok, "", unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Qt's own temporary folder could not remove names that Unicode cannot carry.
        std::string folder = (std::filesystem::temp_directory_path() / "zentu-names-XXXXXX");
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        const auto inFolder = [&](const std::string& name) {
            return name[0] == '@' ? folder + name.substr(1) : name;
        };
        for (const std::string& file : c.files) std::ofstream(folder + "/" + file) << "old";
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(QFile::decodeName(folder.c_str()));
        FileDialogData data;
        data.initialDir = folder;
        data.fileName = c.offered.empty() ? "" : inFolder(c.offered);
        QString offered, asked;
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            offered = edit->text();
            if (!c.typed.isEmpty()) edit->setText(c.typed);
            if (!c.question.isEmpty()) {
                WhenModal<QMessageBox>([&](QMessageBox* box) {
                    asked = box->text();
                    box->button(c.answer)->click();
                });
            }
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible()) dialog->reject();
        });
        QtPlatform platform;
        const std::string before = data.fileName;
        const bool ok = c.save ? platform.RunSaveDialog(data) : platform.RunOpenDialog(data);
        QDir::setCurrent(cwd);
        EXPECT_EQ(ok, !c.result.empty());
        EXPECT_EQ(data.fileName, ok ? inFolder(c.result) : before);
        if (!c.offered.empty()) {
            EXPECT_EQ(offered.toStdString(), Utf8(u"caf\u00e9.que"));
        }
        EXPECT_TRUE(asked.contains(c.question)) << asked.toStdString();
        std::filesystem::remove_all(folder);
    }
}

}  // namespace
