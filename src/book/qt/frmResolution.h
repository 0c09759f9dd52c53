#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "ladder/elements.h"

class QLineEdit;
class QScrollArea;
class QScrollBar;

namespace veldra {

class LadderPicture;

// "Element Size": the user picks the size of the book's ladder elements with a spinner and
// sees it on a small sample rung before the book is built again. OK gives the size chosen;
// Cancel, or closing the dialog, leaves the book's size as it was.
class frmResolution final : public QDialog {
public:
    // Opens on the book's element size, in percent.
    explicit frmResolution(std::int16_t size, QWidget* parent = nullptr);
    ~frmResolution() override;

    // Draws the sample in relay-equivalent symbols.
    void SetIsRelay(bool relay);
    // The dialog was closed without OK.
    bool Canceled() const { return canceled_; }
    // The size taken by OK, in percent: never 0.
    std::int16_t ChosenSize() const { return chosen_; }
    // Fits the sample's names to the picture's font at the current size.
    void CalcTextSize();

    void OKButton_Click();
    void CancelButton_Click();
    // However the dialog is closed without OK, it counts as cancelled.
    void reject() override;

    const Elements& Sample() const { return myElements_; }
    const LadderPicture& Picture() const { return *Ladder_; }

private:
    class SampleDrawing;

    void VScroll1_Change(int value);
    // Makes each step of the spinner's arrows and trough run with its upside-down bar.
    void RunSpinnerUpward(int action);
    void RedrawSample();

    Elements myElements_;
    std::int16_t chosen_;
    bool canceled_ = false;
    QLineEdit* Text1_ = nullptr;
    QScrollBar* VScroll1_ = nullptr;
    QScrollArea* fraLadder_ = nullptr;
    LadderPicture* Ladder_ = nullptr;
    std::unique_ptr<SampleDrawing> drawing_;
};

}  // namespace veldra
