// The widget tests need one QApplication for the whole run; they run offscreen, in a
// temporary home that Qt finds from its start.
#include <gtest/gtest.h>

#include <QApplication>

#include "fakes/temporary_home.h"

int main(int argc, char** argv) {
    const TemporaryHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
