// The main of every window test: the platform chosen before the application object exists
// (offscreen, so that the tests run and list without a display; the end-to-end runs take
// the display xvfb-run gives them), and settings in a fresh folder of each test's own, so
// that no test reads or leaves a user's settings, nor another test's when several run in
// one process; the windows in the face a user sees them in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "platform/qt/window_face.h"

#ifndef VELDRA_TEST_PLATFORM
#define VELDRA_TEST_PLATFORM "offscreen"
#endif

namespace {

// Points the settings at a fresh folder, which goes when the next one comes.
class FreshSettings final : public ::testing::EmptyTestEventListener {
public:
    bool Made() {
        folder_ = std::make_unique<QTemporaryDir>();
        if (!folder_->isValid()) {
            return false;
        }
        qputenv("XDG_CONFIG_HOME", folder_->path().toLocal8Bit());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_->path());
        return true;
    }
    void OnTestStart(const ::testing::TestInfo& test) override {
        if (!Made()) {
            ADD_FAILURE() << "no settings folder for " << test.name();
        }
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", VELDRA_TEST_PLATFORM);
    auto settings = std::make_unique<FreshSettings>();
    if (!settings->Made()) {
        return 1;
    }
    QApplication application(argc, argv);
    veldra::UseWindowFace();
    ::testing::InitGoogleTest(&argc, argv);
    // The listeners own what they are given.
    ::testing::UnitTest::GetInstance()->listeners().Append(settings.release());
    return RUN_ALL_TESTS();
}
