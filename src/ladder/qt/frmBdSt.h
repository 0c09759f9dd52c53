#pragma once

#include <QDialog>
#include <string>

#include "platform/qt/window_registry.h"

class QPlainTextEdit;

namespace veldra {

class ProgramEngine;
class Statement;

// The editor of a statement that ran away in the scan: the statement has disabled itself
// and the run is stopped. The engineer mends its text and saves, which puts it back in
// service, or closes and leaves it disabled. Modal: while it is open nothing else of the
// simulator can be used, so the run cannot be started again meanwhile.
class frmBdSt final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kClassName = "frmBdSt";

    frmBdSt(WindowRegistry& windows, ProgramEngine& engine, QWidget* parent = nullptr);
    ~frmBdSt() override;

    // The statement to mend; its text is shown as the statement viewer shows it.
    void SetStatement(Statement* statement);
    Statement* GetStatement() const { return statement_; }

    // "Save": closes the statements list, parses the text into the statement, maps the
    // program's bits again and puts the statement back in service.
    void cmdSave_Click();
    // "Close": the statement stays disabled and unchanged.
    void OKButton_Click();

private:
    void BuildWindow();

    WindowRegistry& windows_;
    ProgramEngine& engine_;
    RegisteredWidget registration_;
    Statement* statement_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
};

}  // namespace veldra
