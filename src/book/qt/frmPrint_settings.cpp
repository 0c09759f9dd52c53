// The book window's printer, font and display options: the printer set-up, the ladder
// font, ladder or relay symbols, word wrap, the element size and auto size. Those that
// change the paper or the element size lay the whole book out again.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPointer>

#include "book/auto_size.h"
#include "book/element_size.h"
#include "book/printer_settings.h"
#include "book/qt/book_printer.h"
#include "book/qt/frmPrint.h"
#include "book/qt/frmResolution.h"
#include "platform/platform.h"
#include "platform/qt/frmStatus.h"
#include "platform/settings.h"

namespace veldra {
namespace {

void SetMenuCheck(QWidget& window, const char* name, bool checked) {
    if (auto* item = window.findChild<QAction*>(name)) {
        item->setChecked(checked);
    }
}

}  // namespace

void frmPrint::LoadPrinterSettings() {
    veldra::LoadPrinterSettings(settings_, ApplicationPrinter());
}

void frmPrint::LoadDisplayOptions(bool ladder, bool wordWrap) {
    connect(chkLadder_, &QCheckBox::toggled, this, [this] { chkLadder_Click(); });
    connect(chkWrap_, &QCheckBox::toggled, this, [this] { chkWrap_Click(); });
    // Unticked boxes and menu entries stay as they are; a tick runs the box's own handling.
    chkLadder_->setChecked(ladder);
    chkWrap_->setChecked(wordWrap);
}

void frmPrint::mnuPrintSetup_Click() {
    if (PrintSetup(settings_, ApplicationPrinter())) {
        RebuildBook();
    }
}

void frmPrint::mnuFont_Click() {
    // The settings name a face of the desktop the book was first printed on ("Courier
    // New"); the dialog lists this desktop's faces, so it opens on the one standing for it.
    QFont shown = ladder_->font();
    shown.setFamily(QFontInfo(shown).family());
    QFontDialog diag(shown, this);
    diag.setObjectName("diag");
    if (diag.exec() != QDialog::Accepted) {
        return;
    }
    ApplyFont(diag.selectedFont());
}

void frmPrint::ApplyFont(const QFont& chosen) {
    // Name, size and weight are what the settings keep, so they are all the preview takes.
    QFont font = ladder_->font();
    // The face it opened on, kept, keeps the name the settings gave it.
    if (chosen.family() != QFontInfo(font).family()) {
        font.setFamily(chosen.family());
    }
    font.setPointSizeF(chosen.pointSizeF() > 0 ? chosen.pointSizeF()
                                               : QFontInfo(chosen).pointSizeF());
    font.setBold(chosen.bold());
    ladder_->setFont(font);
    settings_.SaveSetting("LADDER_FONT", "NAME", font.family().toStdString());
    settings_.SaveSetting("LADDER_FONT", "SIZE", QString::number(font.pointSizeF()).toStdString());
    settings_.SaveSetting("LADDER_FONT", "BOLD", font.bold() ? "True" : "False");
    // Rows are as tall as the names in them: in another font the names take other rows,
    // so the book is laid out anew.
    RebuildBook();
}

void frmPrint::chkLadder_Click() {
    const bool ladder = chkLadder_->isChecked();
    settings_.SaveSetting("VIEW", "LADDER", ladder ? "1" : "0");
    SetMenuCheck(*this, "mnuLadder", ladder);
    for (CreateLadder& rung : *ladders_) {
        for (const auto& cell : rung.GetElements()) {
            cell->IsRelay = !ladder;
        }
    }
    Ladder_Paint();
}

void frmPrint::chkWrap_Click() {
    const bool wrap = chkWrap_->isChecked();
    settings_.SaveSetting("VIEW", "WordWrap", wrap ? "1" : "0");
    SetMenuCheck(*this, "mnuWordWrap", wrap);
    // The cells take the choice when the book is next laid out.
    Ladder_Paint();
}

void frmPrint::mnuLadder_Click() {
    chkLadder_->setChecked(!chkLadder_->isChecked());
}

void frmPrint::mnuWordWrap_Click() {
    chkWrap_->setChecked(!chkWrap_->isChecked());
}

void frmPrint::mnuRes_Click() {
    bool canceled = true;
    {
        frmResolution dialog(elementSize_, this);
        if (!chkLadder_->isChecked()) {
            dialog.SetIsRelay(true);
        }
        dialog.exec();
        canceled = dialog.Canceled();
        if (!canceled) {
            elementSize_ = dialog.ChosenSize();
            SaveElementSize(settings_, elementSize_);
        }
    }
    // The new book reads show-as-ladder and word wrap as its window opens.
    if (!canceled) {
        RebuildBook();
    }
}

void frmPrint::mnuAutoSize_Click() {
    const bool noWrap =
        MsgBox("Adjust Element Size to ensure statements do not wrap?", MsgButtons::YesNo,
               MsgIcon::None, "Graphic Width Restriction") == MsgAnswer::Yes;
    const bool noSpan =
        MsgBox("Adjust Element Size to ensure statements do not span pages?", MsgButtons::YesNo,
               MsgIcon::None, "Graphic Height Restriction") == MsgAnswer::Yes;
    hide();
    LadderExtent& extent = *extent_;
    if (extent.MaxLadderRows == 0 || extent.MaxLadderCols == 0) {
        frmStatus status(windows_);
        status.SetStatus("Scanning for Statment Max Height and Max Width");
        status.SetProgress(0, ladders_->Count());
        status.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QPointer<frmPrint> alive(this);
        MeasureBook(*ladders_, extent, [&status, &alive](int statement, int count) {
            status.SetProgress(statement, count);
            status.SetStatus("Analyzing Statement " + std::to_string(statement) + " of " +
                             std::to_string(count));
            // The window is hidden: the desktop repaints, the user cannot act meanwhile.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return !alive.isNull();
        });
        if (alive.isNull()) {
            return;  // the book was closed from outside while it was measured
        }
    }
    if (const std::optional<std::int16_t> size =
            AutoSize(canvas_, extent.MaxLadderCols, extent.MaxLadderRows, noWrap, noSpan)) {
        elementSize_ = *size;
        SaveElementSize(settings_, elementSize_);
    } else {
        MsgBox("Unable to Auto Size, Try Larger Paper", MsgButtons::Ok, MsgIcon::Information,
               "Auto Size Fail");
        // This book at the normal size; the stored size stays for the next.
        elementSize_ = 100;
    }
    RebuildBook();
}

}  // namespace veldra
