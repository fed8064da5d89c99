// Start-up: remember the optional question file named on the command line, then run the
// application object until its main window closes.
#include <QApplication>
#include <optional>
#include <string>

#include "app/zentu_window.h"

int main(int argc, char** argv) {
    // Taken before Qt sees the arguments: only the first one counts, used unchanged.
    std::optional<std::string> startupFile;
    if (argc > 1) startupFile = argv[1];

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zentu"));
    QApplication::setApplicationName(QStringLiteral("Zentu"));
    // Without it the settings land under "Unknown Organization".
    QApplication::setOrganizationName(QStringLiteral("Zentu"));
    QApplication::setDesktopFileName(QStringLiteral("zentu"));
    zentu program;
    return program.Run(startupFile);
}
