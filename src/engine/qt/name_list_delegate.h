#pragma once

#include <QStyledItemDelegate>

namespace veldra {

// Draws the lines of a list of bit names. A name too long for its line gives up letters
// from its middle, keeping a little of its start and most of its end, where the names of
// one board differ (".CHANNEL1ENABLE", ".CHANNEL2ENABLE"), so that every line reads apart.
class NameListDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace veldra
