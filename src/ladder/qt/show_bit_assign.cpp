#include "ladder/qt/show_bit_assign.h"

#include "engine/program_engine.h"
#include "engine/qt/statement_view_host.h"
#include "ladder/qt/frmBdSt.h"
#include "ladder/qt/frmShowAssign.h"
#include "logic/text_helpers.h"
#include "platform/qt/dialogs.h"

namespace veldra {

void ShowBitAssign(const StatementViewHost& host, std::string_view BitName) {
    const std::string name = TrimUpper(BitName);
    if (host.ProgramStands() && host.engine->prgAssigns != nullptr) {
        Statements& statements = *host.engine->prgAssigns;
        for (int i = 1; i <= statements.Count(); ++i) {
            Statement* statement = statements.Find(i);
            for (int result = 0; statement != nullptr && result <= statement->UboundResults();
                 ++result) {
                if (statement->ResultBitName(result) == name) {
                    ShowStatement(host, *statement);
                    return;
                }
            }
        }
    }
    const MsgBoxRequest box{"No Statement Found", MsgButtons::Ok, MsgIcon::Information, "Veldra"};
    if (host.dialogs != nullptr) {
        host.dialogs->MessageBox(box);
    } else {
        ThePlatform().MsgBox(box);
    }
}

namespace {

class LadderViews final : public StatementViews {
public:
    void ShowBitAssign(const StatementViewHost& host, std::string_view BitName) override {
        veldra::ShowBitAssign(host, BitName);
    }

    void EditFaultyStatement(WindowRegistry& windows, ProgramEngine& engine,
                             Statement& statement) override {
        frmBdSt editor(windows, engine);
        editor.SetStatement(&statement);
        editor.exec();
    }
};

}  // namespace

StatementViews& LadderStatementViews() {
    // Holds nothing: one serves every program window.
    static LadderViews views;
    return views;
}

frmShowAssign& ShowStatement(const StatementViewHost& host, Statement& statement) {
    auto* viewer = new frmShowAssign(host, statement);
    host.Place(*viewer);
    return *viewer;
}

}  // namespace veldra
