#include "ladder/qt/frmShowAssign.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "engine/program_engine.h"
#include "ladder/contact_value.h"
#include "ladder/qt/ladder_picture.h"
#include "ladder/qt/show_bit_assign.h"
#include "ladder/statement_text.h"
#include "logic/statement.h"
#include "logic/text_helpers.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/window_frame.h"
#include "platform/settings.h"

namespace veldra {
namespace {

const QColor kLive(0x00, 0xFF, 0x00);
const QColor kDead(0x00, 0x00, 0x00);
const QColor kSelection(0x80, 0x80, 0xFF);
constexpr const char* kStatementIs = "Statement is currently:  ";

// The text the ladder is laid out from: what follows "ASSIGN", or, when the engineer
// has typed it away, the whole text.
std::string LadderText(const std::string& text) {
    const std::string upper = TrimUpper(text);
    const std::size_t keyword = upper.find("ASSIGN");
    return keyword == std::string::npos ? upper : TrimUpper(upper.substr(keyword + 6));
}

}  // namespace

frmShowAssign::frmShowAssign(const StatementViewHost& host, Statement& statement)
    : host_(host), statement_(&statement) {
    setObjectName("frmShowAssign");
    setWindowTitle("Assign Statement");
    setAttribute(Qt::WA_DeleteOnClose);
    BuildWindow();
    if (host_.windows != nullptr) {
        registration_ = std::make_unique<WindowRegistry::Registration>(*host_.windows, panel_);
    }
    Listen();
    Load();
}

frmShowAssign::~frmShowAssign() {
    statementChanged_.Cancel();
    opBitChanged_.Cancel();
    if (displayed_ && host_.ProgramStands()) {
        statement_->SetIsDisplayed(false);
    }
}

void frmShowAssign::closeEvent(QCloseEvent* event) {
    // Another viewer of the statement keeps it displayed until it closes too.
    if (displayed_ && host_.ProgramStands()) {
        statement_->SetIsDisplayed(false);
    }
    displayed_ = false;
    statementChanged_.Cancel();
    opBitChanged_.Cancel();
    registration_.reset();
    event->accept();
}

std::string frmShowAssign::OpenWindow::Caption() const {
    return ToStdString(window_.windowTitle());
}

void frmShowAssign::OpenWindow::CloseWindow(bool close) {
    (void)close;
    WindowFrame(window_).close();  // the main window's child frame goes with it
}

void frmShowAssign::BuildWindow() {
    auto* layout = new QGridLayout(this);
    txtAssign_ = new QPlainTextEdit(this);
    txtAssign_->setObjectName("txtAssign");
    txtAssign_->setMaximumHeight(80);
    layout->addWidget(txtAssign_, 0, 0, 1, 4);

    lblStatement_ = new QLabel(this);
    lblStatement_->setObjectName("lblStatement");
    // As wide as the longer result: a window made small while the statement is True keeps
    // room for False.
    lblStatement_->setMinimumWidth(
        lblStatement_->fontMetrics().horizontalAdvance(QString(kStatementIs) + "False"));
    layout->addWidget(lblStatement_, 1, 0);
    chkLadder_ = new QCheckBox("Show as Ladder", this);
    chkLadder_->setObjectName("chkLadder");
    chkLadder_->setChecked(true);
    layout->addWidget(chkLadder_, 1, 1);
    chkTop_ = new QCheckBox("Stay On Top", this);
    chkTop_->setObjectName("chkTop");
    layout->addWidget(chkTop_, 1, 2);
    cmdEdit_ = new QPushButton("Save Changes", this);
    cmdEdit_->setObjectName("cmdEdit");
    layout->addWidget(cmdEdit_, 2, 2);
    cmdLadder_ = new QPushButton("Save Ladder", this);
    cmdLadder_->setObjectName("cmdLadder");
    layout->addWidget(cmdLadder_, 2, 3);

    fraLadder_ = new QScrollArea(this);
    fraLadder_->setObjectName("fraLadder");
    fraLadder_->horizontalScrollBar()->setObjectName("HSLD");
    fraLadder_->verticalScrollBar()->setObjectName("VSLD");
    Ladder_ = new LadderPicture;
    Ladder_->setObjectName("Ladder");
    // Names wrap by their characters: every character is as wide as the one measured.
    Ladder_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fraLadder_->setWidget(Ladder_);
    fraLadder_->setBackgroundRole(QPalette::Base);
    layout->addWidget(fraLadder_, 3, 0, 1, 4);
    layout->setRowStretch(3, 1);
    drawing_ = std::make_unique<PictureDrawing>(*Ladder_);

    mnuPopUp_ = new QMenu(this);
    mnuPopUp_->setObjectName("mnuPopUp");
    mnuBit_ = mnuPopUp_->addAction(QString());
    mnuBit_->setObjectName("mnuBit");
    mnuPopUp_->addSeparator()->setObjectName("mnuLine");
    // An exclusive-or contact reads several bits: the engineer picks the one each command
    // takes, from a list in place of the command's single entry.
    mnuShow_ = mnuPopUp_->addAction("Show Assign", this, [this] { mnuShow_Click(); });
    mnuShow_->setObjectName("mnuShow");
    mnuShowBits_ = mnuPopUp_->addMenu("Show Assign");
    mnuShowBits_->setObjectName("mnuShowBits");
    mnuShowBits_->menuAction()->setVisible(false);
    mnuTgQue_ = mnuPopUp_->addAction("Toggle", this, [this] { mnuTgQue_Click(); });
    mnuTgQue_->setObjectName("mnuTgQue");
    mnuPopUp_->setDefaultAction(mnuTgQue_);
    mnuTgBits_ = mnuPopUp_->addMenu("Toggle");
    mnuTgBits_->setObjectName("mnuTgBits");
    mnuTgBits_->menuAction()->setVisible(false);

    connect(chkLadder_, &QCheckBox::toggled, this, [this](bool on) { chkLadder_Click(on); });
    connect(chkTop_, &QCheckBox::toggled, this, [this] { chkTop_Click(); });
    connect(cmdEdit_, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdLadder_, &QPushButton::clicked, this, [this] { cmdLadder_Click(); });
    connect(Ladder_, &LadderPicture::mousePressed, this,
            [this](double X, double Y, Qt::MouseButton button) { OnPicturePressed(X, Y, button); });
    resize(640, 420);
}

Statement* frmShowAssign::ShowStatement() const {
    return displayed_ && host_.ProgramStands() ? statement_ : nullptr;
}

void frmShowAssign::Listen() {
    statementChanged_ = statement_->StatementChanged().Subscribe(
        [this](bool result, std::string_view) { StatementChanged(result); });
    opBitChanged_ = statement_->OpBitChanged().Subscribe(
        [this](int index, bool value) { OpBitChanged(index, value); });
    textMended_ = statement_->TextMended().Subscribe([this] {
        Ladder_->SetSizeTwips(1, 1);
        Load();
        chkLadder_Click(chkLadder_->isChecked());
    });
}

void frmShowAssign::UpdateStatement() {
    lblStatement_->setText(QString(kStatementIs) + (statement_->Result() ? "True" : "False"));
}

void frmShowAssign::Load() {
    txtAssign_->clear();
    UpdateStatement();
    if (!displayed_) {
        statement_->SetIsDisplayed(true);
        displayed_ = true;
    }
    txtAssign_->setPlainText(ToQString(EditableText(*statement_)));
    CreateLadderElements();

    const std::string view =
        host_.settings != nullptr ? host_.settings->GetSetting("VIEW", "LADDER", "1") : "1";
    const bool ladder = view != "0" && TrimUpper(view) != "FALSE";
    {
        const QSignalBlocker quiet(chkLadder_);
        chkLadder_->setChecked(ladder);
    }
    for (const auto& cell : ladder_->GetElements()) {
        cell->WordWrap = true;
        cell->IsRelay = !ladder;
    }
    if (!ladder && host_.settings != nullptr) {
        host_.settings->SaveSetting("VIEW", "LADDER", "0");
    }
    RedrawAll();
}

const BooleanBits* frmShowAssign::Bits() const {
    return host_.ProgramStands() ? host_.engine->PrgBooleanBits() : nullptr;
}

void frmShowAssign::CreateLadderElements() {
    drawn_ = false;  // the values are drawn with the whole ladder
    selElement_ = nullptr;
    cellsByName_.clear();
    Ladder_->Clear();
    ladder_ = std::make_unique<CreateLadder>(100);
    ladder_->SetStatement(LadderText(ToStdString(txtAssign_->toPlainText())));
    const Elements& cells = ladder_->GetElements();
    for (const auto& cell : cells) {
        cell->IsOr = cell->LeftOrDown || cell->LeftorUp || cell->RightOrDown || cell->RightOrUp;
        // An exclusive-or contact changes with each of its operands.
        for (const std::string_view operand :
             cell->Name.empty() ? std::vector<std::string_view>{} : ContactOperands(cell->Name)) {
            cellsByName_[std::string(operand)].push_back(cell.get());
        }
    }

    // The values as they stand now; they are drawn when the ladder is drawn.
    const BooleanBits* operandBits = statement_->Bits();
    for (int j = 0; j <= statement_->UboundOpBit(); ++j) {
        const std::string name(statement_->OpBitName(j));
        const auto found = cellsByName_.find(name);
        if (found == cellsByName_.end()) {
            continue;
        }
        for (Element* cell : found->second) {
            cell->SetvValue(ContactValue(cell->Name, operandBits));
            FillLadder(*cell);
        }
    }
    if (statement_->Result()) {
        for (int i = cells.Count(); i >= 1 && cells.Item(i)->IsOutput; --i) {
            cells.Item(i)->SetvValue(true);
            FillLadder(*cells.Item(i));
        }
    }
    statement_->ForceSolve();
    if (host_.ProgramStands()) {
        host_.engine->RequestTrackUpdate();
    }
    SizeLadder();
}

void frmShowAssign::Show(Element& cell, bool value) {
    if (cell.SetvValue(value) && drawn_) {
        cell.UpdateDrawing(*drawing_, Bits());
    }
}

void frmShowAssign::FillLadder(const Element& cell) {
    const bool value = cell.vValue() != cell.Back();
    const Elements& cells = ladder_->GetElements();
    for (const int step : {-1, 1}) {
        for (int col = cell.Col() + step;; col += step) {
            Element* wire = cells.Item(col, cell.Row());
            if (wire == nullptr || !wire->Name.empty()) {
                break;
            }
            Show(*wire, value);
        }
    }
}

void frmShowAssign::SizeLadder() {
    const double room = Element::kWidth - Ladder_->TextWidth("X");
    std::string measure = "X";
    while (Ladder_->TextWidth(measure) <= room && measure.size() < 1000) {
        measure += 'X';
    }
    const auto nameWidth = std::int32_t(measure.size() - 1);
    const auto nameHeight = std::int32_t(std::lround(Ladder_->TextHeight(measure)));
    for (const auto& cell : ladder_->GetElements()) {
        cell->SetNameWidth(nameWidth);
        cell->SetNameHeight(nameHeight);
        cell->CentreName(Ladder_->TextWidth(cell->Name));
    }
    // Rows as tall as the names in them: no name runs into the row below.
    ladder_->GetElements().MakeRoomForNames();
}

void frmShowAssign::RedrawAll(bool selection) {
    const Elements& cells = ladder_->GetElements();
    Ladder_->ReserveTwips(int((cells.Cols() + 1) * Element::kWidth) + 200,
                          int((cells.Rows() + 1) * Element::kHeight) + 400);
    Ladder_->Clear();
    const BooleanBits* bits = Bits();
    for (const auto& cell : cells) {
        if (selection) {
            cell->UpdateSelection(*drawing_, bits);
        } else {
            cell->UpdateDrawing(*drawing_, bits);
            cell->UpdateName(*drawing_);
        }
    }
    drawn_ = true;
}

void frmShowAssign::StatementChanged(bool result) {
    UpdateStatement();
    const Elements& cells = ladder_->GetElements();
    for (int i = cells.Count(); i >= 1; --i) {
        Element& cell = *cells.Item(i);
        if (cell.IsOutput) {
            Show(cell, result);
            FillLadder(cell);
        }
    }
}

void frmShowAssign::OpBitChanged(int index, bool value) {
    const auto found = cellsByName_.find(std::string(statement_->OpBitName(index)));
    if (found == cellsByName_.end()) {
        return;
    }
    for (auto cell = found->second.rbegin(); cell != found->second.rend(); ++cell) {
        // An exclusive-or contact takes its other operands' values too.
        const std::string& name = (*cell)->Name;
        Show(**cell, IsExclusiveOrContact(name) ? ContactValue(name, statement_->Bits()) : value);
        FillLadder(**cell);
    }
}

void frmShowAssign::OnPicturePressed(double X, double Y, Qt::MouseButton button) {
    // The viewer's cells are always at full size.
    const int col = int(X / Element::kWidth);
    const int row = int(Y / Element::kHeight);
    const Elements& cells = ladder_->GetElements();
    selElement_ = cells.Item(col, row);
    // A press on a name's lines in the rows held open for it selects the name's own cell.
    for (int above = row - 1; selElement_ != nullptr && selElement_->NameRoom && above >= 0;
         --above) {
        selElement_ = cells.Item(col, above);
    }
    const BooleanBits* bits = Bits();
    for (const auto& cell : cells) {
        if (cell->SetIsSelected(false)) {
            cell->UpdateSelection(*drawing_, bits);
        }
    }
    if (selElement_ == nullptr) {
        return;
    }
    if (selElement_->SetIsSelected(true)) {
        selElement_->UpdateSelection(*drawing_, bits);
    }
    mnuBit_->setText(ToQString(selElement_->Name));
    OfferBits();
    if (button == Qt::RightButton) {
        mnuPopUp_->popup(QCursor::pos(),
                         mnuTgQue_->isVisible() ? mnuTgQue_ : mnuTgBits_->menuAction());
    }
}

void frmShowAssign::OfferBits() {
    mnuShowBits_->clear();
    mnuTgBits_->clear();
    const bool several = !selElement_->IsOutput && IsExclusiveOrContact(selElement_->Name);
    mnuShow_->setVisible(!several);
    mnuShowBits_->menuAction()->setVisible(several);
    mnuTgQue_->setVisible(!several);
    mnuTgBits_->menuAction()->setVisible(several);
    if (!several) {
        return;
    }
    for (const std::string_view operand : ContactOperands(selElement_->Name)) {
        const std::string name(operand);
        mnuShowBits_->addAction(ToQString(name), this, [this, name] { ShowBitAssign(host_, name); })
            ->setObjectName("mnuShowBit");
        mnuTgBits_->addAction(ToQString(name), this, [this, name] { ToggleBit(name); })
            ->setObjectName("mnuTgBit");
    }
}

void frmShowAssign::mnuShow_Click() {
    if (selElement_ != nullptr) {
        ShowBitAssign(host_, selElement_->Name);
    }
}

void frmShowAssign::mnuTgQue_Click() {
    if (selElement_ != nullptr) {
        ToggleBit(selElement_->Name);
    }
}

void frmShowAssign::ToggleBit(const std::string& name) {
    if (!host_.ProgramStands()) {
        return;
    }
    ProgramEngine& engine = *host_.engine;
    BooleanBit* bit = engine.PrgBooleanBits()->Find(name);
    if (bit == nullptr) {
        return;
    }
    bit->SetBitValue(!bit->BitValue());
    if (engine.DelayTimerRunning(name)) {
        engine.CancelTimer(name);
    }
    engine.AddQue(name, false);
    engine.RequestTrackUpdate();
}

void frmShowAssign::Refuse(const char* message) {
    host_.dialogs->MessageBox({message, MsgButtons::Ok, MsgIcon::Information, "Save Failed"});
}

bool frmShowAssign::StatementsListOpen() const {
    if (host_.windows == nullptr) {
        return false;
    }
    const std::vector<BoardPanel*> open = host_.windows->Windows();
    return std::ranges::any_of(open, [](const BoardPanel* window) {
        return window->Name() == "frmStatements" && !window->Closed();
    });
}

void frmShowAssign::SetInUse(bool inUse) {
    if (host_.programWindow) {
        host_.programWindow->setEnabled(inUse);
    }
    window()->setEnabled(inUse);  // the main window, with the viewer in it
    setEnabled(inUse);
}

void frmShowAssign::cmdEdit_Click() {
    if (!host_.ProgramStands() || !displayed_) {
        return;
    }
    ProgramEngine& engine = *host_.engine;
    if (engine.Running()) {
        Refuse("Statement can not be changed while program is running.");
        return;
    }
    if (StatementsListOpen()) {
        Refuse("You Must Close the STATEMENTS Window before save changes");
        return;
    }
    SetInUse(false);
    for (BooleanBit& bit : *engine.PrgBooleanBits()) {
        bit.ResetAssigns();
    }
    statement_->ResetStatement();
    statement_->SetStrStatement(OneLine(ToStdString(txtAssign_->toPlainText())));
    engine.MapBits();
    if (!host_.ProgramStands()) {
        SetInUse(true);  // the program was closed while its bits were mapped
        return;
    }
    statement_->SetEdited(true);
    Ladder_->SetSizeTwips(1, 1);
    Load();
    statement_->ForceSolve();
    engine.StatementEdited();
    SetInUse(true);
    chkLadder_Click(chkLadder_->isChecked());
}

void frmShowAssign::cmdLadder_Click() {
    if (chkTop_->isChecked()) {
        chkTop_->setChecked(false);
    }
    RedrawAll(false);  // the bitmap shows the ladder without the selection frame
    host_.dialogs->MessageBox({"If you use an existing file name, the file will be replaced",
                               MsgButtons::Ok, MsgIcon::Information, "Automatic File Overwrite"});
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = "Save Ladder";
    request.filter = "Bit Maps (*.bmp)|*.bmp";
    request.proposedName = TrimUpper(host_.ProgramName());
    request.kind = FileKind::LadderPicture;
    const std::optional<std::filesystem::path> file = host_.dialogs->FileName(request);
    if (!file) {
        return;
    }
    const std::string error = Ladder_->SaveBitmap(*file);
    RedrawAll();  // the selection back on screen
    if (!error.empty()) {
        host_.dialogs->MessageBox({error, MsgButtons::Ok, MsgIcon::Critical, "Veldra"});
    }
}

void frmShowAssign::chkLadder_Click(bool ladder) {
    if (host_.settings != nullptr) {
        host_.settings->SaveSetting("VIEW", "LADDER", ladder ? "1" : "0");
    }
    for (const auto& cell : ladder_->GetElements()) {
        cell->IsRelay = !ladder;
    }
    RedrawAll();
}

void frmShowAssign::chkTop_Click() {
    QWidget& frame = WindowFrame(*this);
    const QRect placed = frame.geometry();
    host_.SetTopWindows();
    frame.setGeometry(placed);
}

void frmShowAssign::PictureDrawing::DrawLine(double X1, double X2, double Y1, double Y2,
                                             bool live) {
    picture_.GrowToShow(X1, X2, Y1, Y2);
    picture_.Line(X1, Y1, X2, Y2, live ? kLive : kDead);
}

void frmShowAssign::PictureDrawing::DrawLineR(double X1, double X2, double Y1, double Y2,
                                              bool live) {
    picture_.GrowToShow(X1, X2, Y1, Y2);
    picture_.Line(X1, Y1, X2, Y2, live ? kDead : picture_.BackColor());
}

void frmShowAssign::PictureDrawing::PrintText(double X, double Y, std::string_view Text) {
    // A name's lines below its contact, and a note in place of a rung, reach past the lines.
    picture_.GrowToShow(X, X + picture_.TextWidth(Text), Y, Y + picture_.TextHeight(Text));
    picture_.Text(X, Y, Text, kDead);
}

void frmShowAssign::PictureDrawing::ShowSelection(double X1, double X2, double Y1, double Y2,
                                                  bool Selected) {
    picture_.Line(X1, Y1, X2, Y2, Selected ? kSelection : picture_.BackColor());
}

void frmShowAssign::PictureDrawing::DrawOutput(double X, double Y, double StartAngle,
                                               double EndAngle, double Radius) {
    (void)Radius;  // the viewer's coils are always full size
    picture_.Arc(X, Y, 200, StartAngle, EndAngle, 1.2, kDead, 2);
}

}  // namespace veldra
