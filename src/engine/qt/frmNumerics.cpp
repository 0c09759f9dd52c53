#include "engine/qt/frmNumerics.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

namespace veldra {

frmNumerics::frmNumerics(const std::string& report, QWidget* parent) : QWidget(parent) {
    setObjectName("frmNumerics");
    setWindowTitle("Numeric Blocks");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("txtNumeric");
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long lines wrap
    // The report's lines end in CR LF as a file's do; the box breaks lines at LF alone.
    QString shown = ToQString(report);
    shown.replace("\r\n", "\n");
    text->setPlainText(shown);
    layout->addWidget(text);
    resize(SizeFromTwips(6000, 4500));
}

}  // namespace veldra
