#include "ladder/qt/frmBdSt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/program_engine.h"
#include "ladder/statement_text.h"
#include "logic/statement.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

constexpr const char* kExplanation =
    "There is a problem with this statement.  It has been disabled.  You may correct the "
    "error here.  Just correct the text below and click \"Save\".  If you click \"Close\" "
    "the statement will remain disabled.";

// The statements list shows the text as it was loaded: it closes before a statement changes.
void CloseStatementsList(WindowRegistry& windows) {
    windows.ForEach([](BoardPanel& window) {
        if (window.Name() == "frmStatements") {
            window.CloseWindow(true);
        }
    });
}

}  // namespace

frmBdSt::frmBdSt(WindowRegistry& windows, ProgramEngine& engine, QWidget* parent)
    : QDialog(parent),
      windows_(windows),
      engine_(engine),
      registration_(windows, *this, kClassName) {
    setObjectName(kClassName);
    setWindowTitle("Bad Statement");
    setModal(true);
    BuildWindow();
    resize(SizeFromTwips(7200, 3600));
}

frmBdSt::~frmBdSt() = default;

void frmBdSt::BuildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(kExplanation, this);
    label->setObjectName("Label1");
    label->setWordWrap(true);
    layout->addWidget(label);
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    layout->addWidget(text1_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = new QPushButton("Save", this);
    save->setObjectName("cmdSave");
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    auto* close = new QPushButton("Close", this);
    close->setObjectName("OKButton");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void frmBdSt::SetStatement(Statement* statement) {
    statement_ = statement;
    text1_->setPlainText(statement != nullptr ? ToQString(EditableText(*statement)) : QString());
}

void frmBdSt::cmdSave_Click() {
    CloseStatementsList(windows_);
    setEnabled(false);
    if (statement_ != nullptr && engine_.ProgramLoaded()) {
        Statement& statement = *statement_;
        // The statement parses the text itself and answers a text it cannot take.
        statement.ResetStatement();
        statement.SetStrStatement(OneLine(ToStdString(text1_->toPlainText())));
        engine_.MapBits();
        statement.SetEdited(true);
        statement.ForceSolve();
        statement.SetDisable(false);
        // An open viewer's "Save Changes" would otherwise bring the fault back.
        statement.TextMended().Raise();
        // The next scan tick runs once the simulation is started again.
        engine_.RequestScan();
    }
    statement_ = nullptr;
    accept();
}

void frmBdSt::OKButton_Click() {
    statement_ = nullptr;
    reject();
}

}  // namespace veldra
