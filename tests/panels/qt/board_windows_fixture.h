#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/board_window_host.h"
#include "panels/qt/board_windows.h"
#include "panels/toggle_panel.h"
#include "platform/qt/lamp.h"
#include "platform/qt/window_registry.h"
#include "support/engine_driver.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {

// A program of tests/data/panels loaded into a program window, its board windows drawn in
// a main window's area; the statements they open are recorded.
class BoardWindowsFixture : public ::testing::Test, private LoaderHost, private BoardWindowHost {
protected:
    BoardWindowsFixture(const char* file, const char* name) {
        area.resize(1200, 900);
        area.show();
        ParseText loader(Engine(), *this, boards.Halves());
        EXPECT_EQ(loader.GetProgram(std::string(VELDRA_TEST_DATA "/panels/") + file), name);
        Settle();
    }
    ~BoardWindowsFixture() override { program.CloseWindow(); }

    static void Settle() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ProgramEngine& Engine() { return program.Engine(); }
    // The half whose caption starts with `board`.
    BoardPanel& Half(const std::string& board) {
        for (BoardPanel* half : boards.Windows()) {
            if (half->Caption().starts_with(board)) {
                return *half;
            }
        }
        ADD_FAILURE() << board;
        return *boards.Windows().front();
    }
    QWidget& Window(const std::string& board) { return *boards.WindowOf(Half(board)); }
    template <class Control = QLabel>
    Control* Find(const std::string& board, const char* name) {
        return Window(board).findChild<Control*>(name);
    }
    LampImage LampOf(const std::string& board, const char* name) {
        return Find<LampWidget>(board, name)->Image();
    }
    void Click(const std::string& board, const char* name,
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Find<QWidget>(board, name), button);
        Settle();
    }
    // A pending input's value as "1" or "0", or "none" when nothing was posted.
    std::string Posted(const char* name) {
        const PendingInput* bit = EngineDriver(Engine()).Pending(name);
        return bit == nullptr ? "none" : bit->BitValue() ? "1" : "0";
    }
    void Scan() {
        if (!Engine().Running()) {
            Engine().StartStop();
        }
        EngineDriver(Engine()).Tick();
        Settle();
    }

    ScriptedDialogs dialogs;
    WindowRegistry registry;
    FakeClock clock;
    frmProgram program{registry, dialogs, clock};
    QMdiArea area;
    std::vector<std::string> opened;
    BoardWindows boards{Engine().InputQueue(),
                        [this](QWidget& window) {
                            window.setAttribute(Qt::WA_DeleteOnClose);
                            area.addSubWindow(&window)->show();
                        },
                        *this};

private:
    void ShowBitAssign(const std::string& BitName) override { opened.push_back(BitName); }
    void WriteLine(const std::string& line) override { (void)line; }
    void QueueTrack(BooleanBits& pending) override { (void)pending; }
    void DoEvents() override { QApplication::processEvents(); }
    void AddBits(std::string_view BitName, std::string_view GroupName) override {
        boards.Halves().ToggleWindow().AddBits(BitName, GroupName);
    }
    void LoadFinished() override { program.LoadFinished(boards.Windows()); }
};

}  // namespace veldra::testing
