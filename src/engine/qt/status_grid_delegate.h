#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <memory>

class QStyle;
class QTextLayout;

namespace veldra {

// Paints the status grid's names as the style paints an item's text, but keeps each name's
// laid-out text: a scan recolours the same few dozen cells in sight again and again, and the
// style would shape every name afresh at each paint. A cell the style draws with more than a
// plain name (focus frame, editing, a name too wide to show whole, a style whose items it
// draws its own way) is left to the style as it is.
class StatusGridDelegate final : public QStyledItemDelegate {
public:
    explicit StatusGridDelegate(QObject* parent);
    ~StatusGridDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    static bool DrawsPlainly(const QStyleOptionViewItem& option, const QStyle* style);
    // The name laid out for a text rectangle of `width`, or null when it does not fit on
    // one line.
    const QTextLayout* LaidOut(const QStyleOptionViewItem& option, int width) const;

    // Laid out with one font, width and text option; all are forgotten when these change.
    mutable QFont font_;
    mutable int width_ = -1;
    mutable QTextOption textOption_;
    mutable QHash<QString, std::shared_ptr<QTextLayout>> laidOut_;
};

}  // namespace veldra
