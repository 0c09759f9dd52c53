#include "platform/qt/dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringList>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/qt/qt_text.h"

namespace veldra {
namespace {

constexpr std::array<std::pair<MsgAnswer, QMessageBox::StandardButton>, 7> kButtonOf{{
    {MsgAnswer::Ok, QMessageBox::Ok},
    {MsgAnswer::Cancel, QMessageBox::Cancel},
    {MsgAnswer::Abort, QMessageBox::Abort},
    {MsgAnswer::Retry, QMessageBox::Retry},
    {MsgAnswer::Ignore, QMessageBox::Ignore},
    {MsgAnswer::Yes, QMessageBox::Yes},
    {MsgAnswer::No, QMessageBox::No},
}};

// The buttons of a box, left to right; the first is the default, as the user expects.
std::vector<MsgAnswer> AnswersOffered(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return {MsgAnswer::Ok};
        case MsgButtons::OkCancel:
            return {MsgAnswer::Ok, MsgAnswer::Cancel};
        case MsgButtons::AbortRetryIgnore:
            return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
        case MsgButtons::YesNoCancel:
            return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
        case MsgButtons::YesNo:
            return {MsgAnswer::Yes, MsgAnswer::No};
        case MsgButtons::RetryCancel:
            return {MsgAnswer::Retry, MsgAnswer::Cancel};
    }
    return {MsgAnswer::Ok};
}

QMessageBox::StandardButton ButtonOf(MsgAnswer answer) {
    for (const auto& [offered, button] : kButtonOf) {
        if (offered == answer) {
            return button;
        }
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return QMessageBox::NoIcon;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// "Text (*.txt)" without its parenthesised part: the patterns are added afresh.
QString DescriptionOnly(QString description) {
    description = description.trimmed();
    if (description.endsWith(')')) {
        const qsizetype open = description.lastIndexOf('(');
        if (open >= 0) {
            description.truncate(open);
        }
    }
    return description.trimmed();
}

// A window manager writes the title in a font of its own, bold, beside an icon and its
// buttons, and cuts it short when the box is narrower. The width a box needs for its whole
// title there, whatever the length of its prompt: the title measured in the desktop's title
// font, bold, and never smaller than half as large again as the box's own, with room for
// the icon, three buttons and the margins.
int TitleWidth(const QWidget& box) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setPointSizeF(std::max(font.pointSizeF(), box.font().pointSizeF() * 3 / 2));
    font.setBold(true);
    const QFontMetrics metrics(font);
    constexpr int kIconButtonsAndMargins = 5;  // in lines of the title's height
    return metrics.horizontalAdvance(box.windowTitle()) + kIconButtonsAndMargins * metrics.height();
}

// A box sizes itself to its contents as it is shown: a row as wide as its title needs
// holds it open.
void KeepTitleWhole(QDialog& box) {
    auto* room = new QSpacerItem(TitleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    } else if (box.layout() != nullptr) {
        box.layout()->addItem(room);
    } else {
        delete room;
    }
}

}  // namespace

QWidget* ModalDialogs::Parent() const {
    return parent_ ? parent_ : QApplication::activeWindow();
}

MsgAnswer ModalDialogs::MessageBox(const MsgBoxRequest& request) {
    QMessageBox box(IconOf(request.icon), ToQString(request.title), ToQString(request.prompt),
                    QMessageBox::NoButton, Parent());
    const std::vector<MsgAnswer> offered = AnswersOffered(request.buttons);
    for (MsgAnswer answer : offered) {
        box.addButton(ButtonOf(answer));
    }
    box.setDefaultButton(ButtonOf(offered.front()));
    KeepTitleWhole(box);
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const auto& [answer, button] : kButtonOf) {
        if (button == clicked) {
            return answer;
        }
    }
    // Closed without a button: nothing is to change.
    return MostCautiousAnswer(request.buttons);
}

std::optional<std::filesystem::path> ModalDialogs::FileName(const FileDialogRequest& request) {
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    QFileDialog dialog(Parent(), ToQString(request.title),
                       QFile::decodeName(QByteArray::fromStdString(request.folder.string())),
                       QtFileFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.empty()) {
        dialog.selectFile(ToQString(request.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(
        QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

std::optional<std::string> ModalDialogs::InputBox(const InputBoxRequest& request) {
    QInputDialog dialog(Parent());
    dialog.setWindowTitle(ToQString(request.title));
    dialog.setLabelText(ToQString(request.prompt));
    dialog.setTextValue(ToQString(request.defaultText));
    dialog.adjustSize();  // an input box makes its layout when first measured
    KeepTitleWhole(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return ToStdString(dialog.textValue());
}

QString QtFileFilter(std::string_view filter) {
    if (filter.empty()) {
        return {};
    }
    const QStringList parts = ToQString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
                patterns << pattern.trimmed();
            }
        }
        if (patterns.isEmpty()) {
            patterns << "*";
        }
        filters << DescriptionOnly(parts[i]) + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

}  // namespace veldra
