// The main of every window test: the platform chosen before the application object exists
// (offscreen, so that the tests run and list without a display; the end-to-end runs take
// the display xvfb-run gives them), and settings in a fresh folder of their own, so that
// no test reads or leaves a user's settings; the windows in the face a user sees them in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/qt/window_face.h"

#ifndef VELDRA_TEST_PLATFORM
#define VELDRA_TEST_PLATFORM "offscreen"
#endif

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", VELDRA_TEST_PLATFORM);
    QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid()) {
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", settingsFolder.path().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QApplication application(argc, argv);
    veldra::UseWindowFace();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
