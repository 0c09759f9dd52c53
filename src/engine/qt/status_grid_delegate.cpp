#include "engine/qt/status_grid_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QTextLayout>

#include "platform/qt/title_bar_icons.h"

namespace veldra {
namespace {

// Past this many names laid out (the grid scrolled far and wide) all are forgotten.
constexpr qsizetype kMostLaidOut = 1024;

// Styles whose items are drawn as the common style draws them: the item's panel, then its
// text in the text rectangle less the focus frame's margin, centred as one line.
bool DrawsItemsCommonly(const QStyle* style) {
    while (const auto* ours = qobject_cast<const TitleBarIcons*>(style)) {
        style = ours->baseStyle();
    }
    return style != nullptr && qobject_cast<const QProxyStyle*>(style) == nullptr &&
           style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

}  // namespace

StatusGridDelegate::StatusGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

StatusGridDelegate::~StatusGridDelegate() = default;

bool StatusGridDelegate::DrawsPlainly(const QStyleOptionViewItem& option, const QStyle* style) {
    constexpr auto kMore =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    return !option.text.isEmpty() && (option.features & kMore) == 0 &&
           (option.state & (QStyle::State_HasFocus | QStyle::State_Editing)) == 0 &&
           option.showDecorationSelected && DrawsItemsCommonly(style);
}

const QTextLayout* StatusGridDelegate::LaidOut(const QStyleOptionViewItem& option,
                                               int width) const {
    QTextOption textOption;
    textOption.setWrapMode((option.features & QStyleOptionViewItem::WrapText) != 0
                               ? QTextOption::WordWrap
                               : QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(QStyle::visualAlignment(option.direction, option.displayAlignment));
    if (width != width_ || textOption.wrapMode() != textOption_.wrapMode() ||
        textOption.alignment() != textOption_.alignment() ||
        textOption.textDirection() != textOption_.textDirection() || option.font != font_ ||
        laidOut_.size() >= kMostLaidOut) {
        laidOut_.clear();
        width_ = width;
        textOption_ = textOption;
        font_ = option.font;
    }
    auto found = laidOut_.constFind(option.text);
    if (found == laidOut_.cend()) {
        auto layout = std::make_shared<QTextLayout>(option.text, option.font);
        layout->setTextOption(textOption);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        QTextLine line = layout->createLine();
        if (line.isValid()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, 0));
        }
        const bool oneLine = line.isValid() && !layout->createLine().isValid();
        layout->endLayout();
        // Wider than the cell, the style would cut the name short with an ellipsis.
        if (!oneLine || layout->lineAt(0).naturalTextWidth() > width) {
            layout.reset();
        }
        found = laidOut_.insert(option.text, std::move(layout));
    }
    return found->get();
}

void StatusGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const QTextLayout* text = nullptr;
    int margin = 0;
    if (DrawsPlainly(item, style)) {
        margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        text = LaidOut(item, item.rect.width() - 2 * margin);
    }
    if (text == nullptr) {
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        return;
    }
    // As the style draws an item with neither check nor icon nor focus frame: the panel and
    // then the text, within the cell.
    painter->save();
    painter->setClipRegion(painter->hasClipping() ? painter->clipRegion() & item.rect
                                                  : QRegion(item.rect));
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);
    QPalette::ColorGroup group =
        (item.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && (item.state & QStyle::State_Active) == 0) {
        group = QPalette::Inactive;
    }
    painter->setPen(item.palette.color(group, (item.state & QStyle::State_Selected) != 0
                                                  ? QPalette::HighlightedText
                                                  : QPalette::Text));
    const QRect textRect = item.rect.adjusted(margin, 0, -margin, 0);
    const QRect lines = QStyle::alignedRect(Qt::LayoutDirectionAuto, item.displayAlignment,
                                            text->boundingRect().size().toSize(), textRect);
    text->draw(painter, QPointF(textRect.x(), lines.top()));
    painter->restore();
}

}  // namespace veldra
