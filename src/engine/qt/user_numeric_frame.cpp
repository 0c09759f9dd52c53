#include "engine/qt/user_numeric_frame.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "engine/program_pages.h"
#include "engine/qt/numeric_editor_controls.h"

namespace veldra {

using namespace page_controls;

UserNumericFrame::UserNumericFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent)
    : ProgramPageFrame("User Numeric", 4, engine, pages, parent) {
    auto* layout = new QGridLayout(this);
    QListView* list = nullptr;
    QLineEdit* box = nullptr;
    QPushButton* apply = nullptr;
    layout->addWidget(Label("User Numerics", this), 0, 0, 1, 2);
    layout->addWidget(list = List(Indexed("lstNumerics", 0), this), 1, 0, 1, 2);
    layout->addWidget(Label("Selected Numeric Value", this), 2, 0, 1, 2);
    layout->addWidget(box = Box(Indexed("txtNumeric", 0), this), 3, 0);
    layout->addWidget(apply = Button("Apply", "Command1", this), 3, 1);
    layout->setColumnStretch(0, 1);
    numerics_ = new NumericEditorControls(*this, pages_.UserNumerics(), list, box, apply);
}

void UserNumericFrame::Sync() {
    numerics_->Sync();
}

}  // namespace veldra
