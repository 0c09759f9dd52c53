#pragma once

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;

namespace veldra {

// Which pages of the book to print (or plot): all, the one shown, or a range. The caller
// sets the page members, may relabel the dialog, shows it modally and reads the same
// members back; the buttons only hide it.
class frmPrintPgs final : public QDialog {
public:
    explicit frmPrintPgs(QWidget* parent = nullptr);

    std::int32_t StartPage = 1;
    // The book's page count while the dialog is open; the chosen last page after OK.
    std::int32_t EndPage = 1;
    std::int32_t CurrentPage = 1;
    bool Cancel = false;

    // Labels for plotting instead of printing.
    void SetCaptions(const QString& caption, const QString& all, const QString& current,
                     const QString& range);

    // Fills the boxes from the page members, as the dialog does when it opens.
    void Form_Load();
    void optPrint_Click(int index);
    // Refuses a box that is no page of the book or crosses the other box, when it is left
    // for any control but Cancel; the box then keeps the focus. True when the number stands.
    bool txtFrom_Validate();
    bool txtTo_Validate();
    void OKButton_Click();
    void CancelButton_Click();

    QLineEdit* txtFrom() const { return txtFrom_; }
    QLineEdit* txtTo() const { return txtTo_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the frame's close button cancel, checking no box.
    void reject() override { CancelButton_Click(); }

private:
    std::array<QRadioButton*, 3> optPrint_{};
    QLineEdit* txtFrom_ = nullptr;
    QLineEdit* txtTo_ = nullptr;
};

}  // namespace veldra
