#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

// Qt's settings, its file dialog's among them, go to the temporary home.
TEST(TemporaryHome, QtKeepsItsSettingsThere) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_TRUE(config.startsWith(QDir::tempPath() + QStringLiteral("/zentu-test-home-")))
        << config.toStdString();
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.show();
    }
    EXPECT_TRUE(QFileInfo::exists(config + QStringLiteral("/QtProject.conf")));
}
