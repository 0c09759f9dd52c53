#include "engine/program_menus.h"

#include "engine/log_file.h"
#include "engine/numeric_report.h"
#include "engine/program_engine.h"
#include "platform/window_errors.h"

namespace veldra {

ProgramMenus::ProgramMenus(ProgramEngine& engine, ProgramMenusHost& host, LogFile& log)
    : engine_(engine), host_(host), log_(log) {}

std::vector<ProgramMenus::Menu> ProgramMenus::Bar() const {
    const bool tables = engine_.ForceTablesEnabled();
    const bool blocks = engine_.NumericMenusEnabled();
    return {
        {"mnuLog", "Log", {{"mnuCLog", "Log Immediate Window", log_.Logging(), true}}},
        {"mnuOptions", "Options", {{"mnuTop", "Always On Top", topChecked_, true}}},
        {"mnuSystem",
         "System Bits",
         {{"mnuCPS", "CPS.STATUS", engine_.CpsChecked(), true},
          {"mnuConfigErr", "CONFIGURE.ERROR", configErrChecked_, true}}},
        {"mnuTools",
         "Tools",
         {{"mnuShowNumeric", "Show Numeric Blocks", false, blocks},
          {"mnuForceTable", "Force Evaluation of All Tables", false, tables},
          {"mnuNumeric", "Force Evaluation of All Numeric Blocks", false, blocks}}},
        {"mnuPref",
         "Preferences",
         {{"mnuFilter", "Filter Bits", false, true},
          {"mnuWatch", "Watch List", false, true},
          {"mnuIO", "Do Not Show IO Update in Immediate Window", !engine_.ShowsIOUpdates(), true}}},
        {"mnuHelp", "Help", {{"mnuWhatThis", "What's This", false, true}}},
    };
}

void ProgramMenus::mnuCLog_Click(const std::string& programName) {
    if (log_.Logging()) {
        log_.Stop();
        return;
    }
    if (log_.RefuseStart()) {
        return;
    }
    // Off for good: the Save dialog must not hide behind the program window.
    if (topChecked_) {
        mnuTop_Click();
    }
    log_.Start(programName);
}

void ProgramMenus::mnuTop_Click() {
    ReportWindowErrors([&] {
        topChecked_ = !topChecked_;
        host_.KeepOnTop(topChecked_);
    });
}

void ProgramMenus::mnuCPS_Click() {
    bool checked = engine_.CpsChecked();
    SystemBit("CPS.STATUS", checked);
    engine_.SetCpsChecked(checked);
}

void ProgramMenus::mnuConfigErr_Click() {
    SystemBit("CONFIGURE.ERROR", configErrChecked_);
}

void ProgramMenus::SystemBit(const char* name, bool& checked) {
    ReportWindowErrors([&] {
        // A name already pending takes the new value instead.
        engine_.PostInput(name, !checked);
        checked = !checked;
    });
}

void ProgramMenus::mnuForceTable_Click() {
    for (Table& table : engine_.prgTables) {
        table.SetTableTriggered(true);
    }
    engine_.RequestTriggerEvaluation();
}

void ProgramMenus::mnuNumeric_Click() {
    if (engine_.prgNumBlks) {
        for (clsNumericBlock& block : *engine_.prgNumBlks) {
            block.SetTriggered(true);
        }
    }
    engine_.RequestTriggerEvaluation();
}

void ProgramMenus::mnuShowNumeric_Click() {
    host_.ShowNumericReport(NumericBlocksReport(engine_.prgNumBlks.get()));
}

template <class Show>
void ProgramMenus::ShowModal(Show&& show) {
    ReportWindowErrors([&] {
        // A window kept on top would cover the dialog.
        const bool wasOnTop = topChecked_;
        if (wasOnTop) {
            mnuTop_Click();
        }
        show();
        if (wasOnTop) {
            mnuTop_Click();
        }
    });
}

void ProgramMenus::mnuFilter_Click() {
    ShowModal([&] { host_.ShowFilterWindow(); });
}

void ProgramMenus::mnuWatch_Click() {
    ShowModal([&] { host_.ShowWatchWindow(); });
}

void ProgramMenus::mnuIO_Click() {
    engine_.SetShowIOUpdates(!engine_.ShowsIOUpdates());
}

}  // namespace veldra
