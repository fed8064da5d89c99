#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

// Qt takes its settings folder from the temporary home, so what its file dialog keeps
// when it closes never reaches the home of whoever runs the tests.
TEST(TemporaryHome, QtKeepsItsSettingsThere) {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    EXPECT_EQ(QDir::homePath().toStdString(), qEnvironmentVariable("HOME").toStdString());
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString(),
              config.toStdString());
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.show();
    }
    EXPECT_TRUE(QFileInfo::exists(config + QStringLiteral("/QtProject.conf")));
}
