#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/qt/statement_view_host.h"
#include "ladder/create_ladder.h"
#include "ladder/ladder_drawing.h"
#include "platform/board_panel.h"
#include "platform/event.h"
#include "platform/qt/window_registry.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace veldra {

class LadderPicture;
class Statement;

// The statement viewer: one statement as editable text and as a live ladder whose lines
// turn green while they carry current. From it the engineer opens the statement of
// another bit, toggles a bit, saves an edited statement, switches between the ladder and
// the relay drawing, keeps the window on top and saves the picture as a bitmap.
class frmShowAssign final : public QWidget {
    Q_OBJECT

public:
    frmShowAssign(const StatementViewHost& host, Statement& statement);
    ~frmShowAssign() override;

    Statement* ShowStatement() const;
    // "Statement is currently:  True" or "False".
    void UpdateStatement();
    // Lays the ladder out again from the text in the box.
    void CreateLadderElements();
    const Elements& Cells() const { return ladder_->GetElements(); }
    LadderPicture& Picture() const { return *Ladder_; }

    void mnuShow_Click();
    void mnuTgQue_Click();
    void cmdEdit_Click();
    void cmdLadder_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The viewer in the registry of open windows: a close of the program closes it.
    class OpenWindow final : public BoardPanel {
    public:
        explicit OpenWindow(frmShowAssign& window) : window_(window) {}
        std::string Name() const override { return "frmShowAssign"; }
        std::string Caption() const override;
        void CloseWindow(bool close) override;

    private:
        frmShowAssign& window_;
    };

    // The events of the cells, drawn in the viewer's colours on its picture.
    class PictureDrawing final : public LadderDrawing {
    public:
        explicit PictureDrawing(LadderPicture& picture) : picture_(picture) {}
        void DrawLine(double X1, double X2, double Y1, double Y2, bool live) override;
        void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) override;
        void PrintText(double X, double Y, std::string_view Text) override;
        void ShowSelection(double X1, double X2, double Y1, double Y2, bool Selected) override;
        void DrawOutput(double X, double Y, double StartAngle, double EndAngle,
                        double Radius) override;

    private:
        LadderPicture& picture_;
    };

    void BuildWindow();
    // The loading steps: text, result line, ladder and view, from the statement.
    void Load();
    void Listen();
    const BooleanBits* Bits() const;
    // Sets a cell's value and draws it again when it changed.
    void Show(Element& cell, bool value);
    void FillLadder(const Element& cell);
    void SizeLadder();
    void RedrawAll(bool selection = true);
    void OnPicturePressed(double X, double Y, Qt::MouseButton button);
    // The menu's commands for the selected cell: one entry each for a contact of one bit; for
    // an exclusive-or contact, which reads several, each command lists the bits to choose from.
    void OfferBits();
    // Toggles one bit, as the engineer does from the contact's menu, and queues its readers.
    void ToggleBit(const std::string& name);
    void chkLadder_Click(bool ladder);
    void chkTop_Click();
    void StatementChanged(bool result);
    void OpBitChanged(int index, bool value);
    bool StatementsListOpen() const;
    void SetInUse(bool inUse);
    void Refuse(const char* message);

    StatementViewHost host_;
    Statement* statement_;
    std::unique_ptr<CreateLadder> ladder_;
    std::unordered_map<std::string, std::vector<Element*>> cellsByName_;
    Element* selElement_ = nullptr;
    bool displayed_ = false;
    // The ladder stands on the picture: a changed value is drawn at once.
    bool drawn_ = false;
    Subscription statementChanged_;
    Subscription opBitChanged_;
    Subscription textMended_;
    OpenWindow panel_{*this};
    std::unique_ptr<WindowRegistry::Registration> registration_;

    QPlainTextEdit* txtAssign_ = nullptr;
    QLabel* lblStatement_ = nullptr;
    QCheckBox* chkLadder_ = nullptr;
    QCheckBox* chkTop_ = nullptr;
    QPushButton* cmdEdit_ = nullptr;
    QPushButton* cmdLadder_ = nullptr;
    QScrollArea* fraLadder_ = nullptr;
    LadderPicture* Ladder_ = nullptr;
    std::unique_ptr<PictureDrawing> drawing_;
    QMenu* mnuPopUp_ = nullptr;
    QAction* mnuBit_ = nullptr;
    QAction* mnuShow_ = nullptr;
    QMenu* mnuShowBits_ = nullptr;
    QAction* mnuTgQue_ = nullptr;
    QMenu* mnuTgBits_ = nullptr;
};

}  // namespace veldra
