#include "platform/qt/frmStatus.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <algorithm>
#include <climits>

#include "platform/qt/qt_text.h"
#include "platform/qt/run_picture.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

int BarUnits(double amount) {
    return int(std::clamp(amount, 0.0, double(INT_MAX)));
}

// The picture beside the status, one for every load and printout of the run.
QPixmap StatusPicture(const QStyle& style, int side) {
    return PictureOfTheRun(QStringLiteral("veldra/frmStatus/%1").arg(side), [&] {
        return style.standardIcon(QStyle::SP_FileDialogContentsView).pixmap(side);
    });
}

}  // namespace

frmStatus::frmStatus(WindowRegistry& windows)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      lblStatus_(new QLabel(this)),
      pBar_(new QProgressBar(this)),
      registration_(windows, *this, "frmStatus") {
    setObjectName("frmStatus");
    setWindowTitle("VELDRA");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(SizeFromTwips(5400, 1200));

    auto* picture = new QLabel(this);
    picture->setObjectName("picStatus");
    const int side = PixelsFromTwips(480);
    picture->setPixmap(StatusPicture(*style(), side));
    lblStatus_->setObjectName("lblStatus");
    pBar_->setObjectName("pBar");
    pBar_->setRange(0, 1);
    pBar_->setValue(0);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1);
    layout->addWidget(lblStatus_, 0, 1);
    layout->addWidget(pBar_, 1, 1);
    layout->setColumnStretch(1, 1);
}

void frmStatus::SetStatus(const std::string& text) {
    lblStatus_->setText(ToQString(text));
}

void frmStatus::SetProgress(double value, double maximum) {
    // A bar with nothing to count (no tables, say) shows empty rather than busy.
    const int top = std::max(BarUnits(maximum), 1);
    const int shown = std::min(BarUnits(value), top);
    // Either end, and a new count, show at once; a step between them when the last one is
    // old enough to have been seen.
    const bool atOnce = shown == 0 || shown == top || top != pBar_->maximum();
    if (!atOnce && sinceStep_.isValid() && !sinceStep_.hasExpired(kStepMilliseconds)) {
        return;
    }
    sinceStep_.start();
    // Drawn when the desktop next has a turn rather than at once.
    pBar_->setUpdatesEnabled(false);
    pBar_->setRange(0, top);
    pBar_->setValue(shown);
    pBar_->setUpdatesEnabled(true);
}

}  // namespace veldra
