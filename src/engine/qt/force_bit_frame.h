#pragma once

#include <array>

#include "engine/program_pages.h"
#include "engine/qt/program_page_frame.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace veldra {

class CoreListModel;
class NumericEditorControls;

// The frame of the force bit and user bits pages: a check list of the bits to force, or
// of the user bits, ticked as the bits stand; on the force page also the numbers to force.
class ForceBitFrame final : public ProgramPageFrame {
    Q_OBJECT

public:
    ForceBitFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent);

    // Follows the page shown: the caption, the list it shows and the lines' ticks.
    void Sync(ProgramPage page);

private:
    std::array<QListView*, 2> cmbBitSelect_{};
    std::array<CoreListModel*, 2> checkLists_{};
    QLabel* lblSelectedBit_ = nullptr;
    QLabel* lblForceValue_ = nullptr;
    QListView* lstNumerics_ = nullptr;
    QLineEdit* txtNumeric_ = nullptr;
    QPushButton* apply_ = nullptr;
    NumericEditorControls* numerics_ = nullptr;
};

}  // namespace veldra
