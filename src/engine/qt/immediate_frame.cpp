#include "engine/qt/immediate_frame.h"

#include <QFont>
#include <QGridLayout>

#include "engine/qt/immediate_views.h"

namespace veldra {

ImmediateFrame::ImmediateFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent)
    : ProgramPageFrame("Immediate Windows", 0, engine, pages, parent) {
    auto* layout = new QGridLayout(this);
    picStatus_ = new StatusPicture([this] { return engine_.Status().PaintedText(); }, this);
    picStatus_->setObjectName("picStatus");
    txtStatus_ = new WordPickingText(this);
    txtStatus_->setObjectName("txtStatus");
    connect(txtStatus_, &WordPickingText::wordPicked, this, &ProgramPageFrame::bitAssignAsked);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    picStatus_->setFont(fixed);
    txtStatus_->setFont(fixed);
    layout->addWidget(picStatus_, 0, 0);
    layout->addWidget(txtStatus_, 0, 0);
}

void ImmediateFrame::SyncRunState() {
    const bool running = engine_.Running();
    picStatus_->setVisible(running);
    txtStatus_->setVisible(!running);
    StatusChanged();
}

void ImmediateFrame::StatusChanged() {
    if (engine_.Running()) {
        picStatus_->Refresh();
    } else {
        txtStatus_->Follow(engine_.Status().StatusText());
    }
}

}  // namespace veldra
