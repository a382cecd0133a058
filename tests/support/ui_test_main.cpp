// Test entry point for window tests: a QApplication on the offscreen platform unless the
// caller chose one, with the program's font, as the program's own application has.
#include <gtest/gtest.h>

#include <QApplication>

#include "uisupport/ui/program_font.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(veltrane::programFont());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
