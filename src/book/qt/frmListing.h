#pragma once

#include <QDialog>

#include "book/listing_reader.h"

class QLineEdit;
class QPlainTextEdit;

namespace veldra {

// "Listing Information": the CRC, checksum and jumper settings read from the compiled
// listing, for the engineer to check or correct before they go on every page of the book.
class frmListing final : public QDialog {
public:
    explicit frmListing(const ListingTexts& texts, QWidget* parent = nullptr);

    // True unless the texts were accepted with OK; closing the dialog by its frame cancels.
    bool bCancel() const { return bCancel_; }
    // The texts as they stand in the boxes.
    ListingTexts Texts() const;

    void cmdSave_Click();
    void cmdClose_Click();

private:
    QLineEdit* txtCRC_;
    QLineEdit* txtChkSum_;
    QPlainTextEdit* txtJumpers_;
    bool bCancel_ = true;
};

}  // namespace veldra
