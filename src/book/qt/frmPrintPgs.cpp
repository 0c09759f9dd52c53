#include "book/qt/frmPrintPgs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "book/page_range.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/value_box_leaving.h"

namespace veldra {

frmPrintPgs::frmPrintPgs(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPrintPgs");
    setWindowTitle("Print Pages?");
    setModal(true);
    auto* layout = new QGridLayout(this);
    const char* captions[] = {"Print All Pages", "Print Current Page", "Print From - To"};
    for (int i = 0; i < 3; ++i) {
        optPrint_[std::size_t(i)] = new QRadioButton(captions[i], this);
        optPrint_[std::size_t(i)]->setObjectName(QString("optPrint_%1").arg(i));
        layout->addWidget(optPrint_[std::size_t(i)], i, 0, 1, 4);
        connect(optPrint_[std::size_t(i)], &QRadioButton::clicked, this,
                [this, i] { optPrint_Click(i); });
    }
    auto* from = new QLabel("From", this);
    from->setObjectName("Label1");
    txtFrom_ = new QLineEdit(this);
    txtFrom_->setObjectName("txtFrom");
    auto* to = new QLabel("To", this);
    to->setObjectName("Label2");
    txtTo_ = new QLineEdit(this);
    txtTo_->setObjectName("txtTo");
    layout->addWidget(from, 3, 0);
    layout->addWidget(txtFrom_, 3, 1);
    layout->addWidget(to, 3, 2);
    layout->addWidget(txtTo_, 3, 3);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    layout->addWidget(ok, 4, 2);
    layout->addWidget(cancel, 4, 3);
    connect(ok, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    // Cancel checks neither box: going to it leaves none.
    for (ValueBoxLeaving* leaving :
         {new ValueBoxLeaving(txtFrom_, [this] { return txtFrom_Validate(); }),
          new ValueBoxLeaving(txtTo_, [this] { return txtTo_Validate(); })}) {
        leaving->LendsTo(cancel);
    }
}

void frmPrintPgs::SetCaptions(const QString& caption, const QString& all, const QString& current,
                              const QString& range) {
    setWindowTitle(caption);
    optPrint_[0]->setText(all);
    optPrint_[1]->setText(current);
    optPrint_[2]->setText(range);
}

void frmPrintPgs::showEvent(QShowEvent* event) {
    Form_Load();
    QDialog::showEvent(event);
}

void frmPrintPgs::Form_Load() {
    optPrint_[0]->setChecked(true);
    optPrint_Click(0);
}

void frmPrintPgs::optPrint_Click(int index) {
    optPrint_[std::size_t(index)]->setChecked(true);
    const bool current = index == 1;
    txtFrom_->setText(QString::number(current ? CurrentPage : StartPage));
    txtTo_->setText(QString::number(current ? CurrentPage : EndPage));
    txtFrom_->setEnabled(index == 2);
    txtTo_->setEnabled(index == 2);
}

bool frmPrintPgs::txtFrom_Validate() {
    const auto refusal = RefusePageBox(PageBox::From, ToStdString(txtFrom_->text()),
                                       ToStdString(txtTo_->text()), EndPage);
    if (refusal) {
        MsgBox(*refusal, MsgButtons::Ok, MsgIcon::Critical, kPageRangeTitle);
        txtFrom_->setFocus();
    }
    return !refusal;
}

bool frmPrintPgs::txtTo_Validate() {
    const auto refusal = RefusePageBox(PageBox::To, ToStdString(txtFrom_->text()),
                                       ToStdString(txtTo_->text()), EndPage);
    if (refusal) {
        MsgBox(*refusal, MsgButtons::Ok, MsgIcon::Critical, kPageRangeTitle);
        txtTo_->setFocus();
    }
    return !refusal;
}

void frmPrintPgs::OKButton_Click() {
    // The boxes are checked again here: a range is never confirmed with a refused box.
    bool valid = false;
    ValueBoxLeaving::Answering([&] { valid = txtFrom_Validate() && txtTo_Validate(); });
    if (!valid) {
        return;
    }
    Cancel = false;
    StartPage = PageNumberIn(ToStdString(txtFrom_->text()));
    EndPage = PageNumberIn(ToStdString(txtTo_->text()));
    hide();
    done(QDialog::Accepted);
}

void frmPrintPgs::CancelButton_Click() {
    Cancel = true;
    hide();
    done(QDialog::Rejected);
}

}  // namespace veldra
