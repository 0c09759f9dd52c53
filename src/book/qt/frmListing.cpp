#include "book/qt/frmListing.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/qt_text.h"

namespace veldra {

frmListing::frmListing(const ListingTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("frmListing");
    setWindowTitle("Listing Information");
    setModal(true);
    auto* layout = new QGridLayout(this);
    const auto label = [&](const char* caption, int row) {
        layout->addWidget(new QLabel(caption, this), row, 0);
    };
    txtCRC_ = new QLineEdit(ToQString(texts.CRC), this);
    txtCRC_->setObjectName("txtCRC");
    txtChkSum_ = new QLineEdit(ToQString(texts.ChkSum), this);
    txtChkSum_->setObjectName("txtChkSum");
    txtJumpers_ = new QPlainTextEdit(this);
    txtJumpers_->setObjectName("txtJumpers");
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    txtJumpers_->setFont(courier);
    txtJumpers_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString jumpers = ToQString(texts.Jumpers);
    jumpers.replace("\r\n", "\n");
    if (jumpers.endsWith('\n')) {
        jumpers.chop(1);
    }
    txtJumpers_->setPlainText(jumpers);
    label("CRC", 0);
    layout->addWidget(txtCRC_, 0, 1, 1, 2);
    label("CheckSum", 1);
    layout->addWidget(txtChkSum_, 1, 1, 1, 2);
    label("Program Jumper Settings", 2);
    layout->addWidget(txtJumpers_, 3, 0, 1, 3);
    auto* save = new QPushButton("OK", this);
    save->setObjectName("cmdSave");
    auto* close = new QPushButton("Cancel", this);
    close->setObjectName("cmdClose");
    layout->addWidget(save, 4, 1);
    layout->addWidget(close, 4, 2);
    connect(save, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(close, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    resize(560, 420);
}

ListingTexts frmListing::Texts() const {
    ListingTexts texts;
    texts.CRC = ToStdString(txtCRC_->text());
    texts.ChkSum = ToStdString(txtChkSum_->text());
    QString jumpers = txtJumpers_->toPlainText();
    if (!jumpers.isEmpty()) {
        jumpers.replace("\n", "\r\n");
        jumpers += "\r\n";
    }
    texts.Jumpers = ToStdString(jumpers);
    return texts;
}

void frmListing::cmdSave_Click() {
    bCancel_ = false;
    accept();
}

void frmListing::cmdClose_Click() {
    bCancel_ = true;
    reject();
}

}  // namespace veldra
