#include "engine/qt/immediate_views.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QTextCursor>
#include <algorithm>

#include "platform/qt/qt_text.h"

namespace veldra {

StatusPicture::StatusPicture(std::function<std::string()> paintedText, QWidget* parent)
    : QWidget(parent), paintedText_(std::move(paintedText)) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

void StatusPicture::Refresh() {
    if (!paintPending_ && isVisible()) {
        paintPending_ = true;
        update();
    }
}

void StatusPicture::paintEvent(QPaintEvent*) {
    paintPending_ = false;
    if (window()->isMinimized()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(font());
    painter.drawText(TextArea(), Qt::AlignLeft | Qt::AlignTop, ShownText());
}

QRect StatusPicture::TextArea() const {
    return rect().adjusted(4, 2, -4, -2);
}

QString StatusPicture::ShownText() const {
    QStringList lines = ToQString(paintedText_()).trimmed().split(QStringLiteral("\r\n"));
    const QFontMetrics metrics(font());
    const qsizetype room =
        std::max(1, (TextArea().height() + metrics.leading()) / metrics.lineSpacing());
    if (lines.size() > room) {
        lines.remove(0, lines.size() - room);
    }
    return lines.join(QLatin1Char('\n'));
}

WordPickingText::WordPickingText(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void WordPickingText::Follow(const std::string& text) {
    if (text == shown_) {
        return;
    }
    if (!shown_.empty() && text.starts_with(shown_)) {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(ToQString(std::string_view(text).substr(shown_.size())).remove('\r'));
    } else {
        setPlainText(ToQString(text).remove('\r'));
    }
    shown_ = text;
    moveCursor(QTextCursor::End);
}

void WordPickingText::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);  // selects the word under the pointer
    const QString word = textCursor().selectedText().trimmed();
    if (!word.isEmpty()) {
        Q_EMIT wordPicked(word);
    }
}

}  // namespace veldra
