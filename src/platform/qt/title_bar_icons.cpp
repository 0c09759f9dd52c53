#include "platform/qt/title_bar_icons.h"

#include <QApplication>
#include <QStyleFactory>

namespace veldra {
namespace {

// The title bar's pictures, each drawn the same whatever window asks: a child window's
// frame asks for them once as it is made.
int SharedIndex(QStyle::StandardPixmap picture) {
    switch (picture) {
        case QStyle::SP_TitleBarMenuButton:
            return 0;
        case QStyle::SP_TitleBarMinButton:
            return 1;
        case QStyle::SP_TitleBarMaxButton:
            return 2;
        case QStyle::SP_TitleBarCloseButton:
            return 3;
        case QStyle::SP_TitleBarNormalButton:
            return 4;
        case QStyle::SP_TitleBarShadeButton:
            return 5;
        case QStyle::SP_TitleBarUnshadeButton:
            return 6;
        case QStyle::SP_TitleBarContextHelpButton:
            return 7;
        default:
            return -1;
    }
}

}  // namespace

TitleBarIcons::TitleBarIcons(QStyle* base) : QProxyStyle(base) {}

void TitleBarIcons::Install() {
    QStyle* current = QApplication::style();
    if (qobject_cast<TitleBarIcons*>(current) != nullptr) {
        return;
    }
    // The same style afresh under the proxy: the application owns and deletes the one it has.
    QStyle* base = QStyleFactory::create(current->name());
    if (base == nullptr) {
        return;
    }
    QApplication::setStyle(new TitleBarIcons(base));
}

QIcon TitleBarIcons::standardIcon(StandardPixmap picture, const QStyleOption* option,
                                  const QWidget* widget) const {
    const int index = SharedIndex(picture);
    if (index < 0 || option != nullptr) {
        return QProxyStyle::standardIcon(picture, option, widget);
    }
    std::optional<QIcon>& icon = icons_[std::size_t(index)];
    if (!icon) {
        icon = QProxyStyle::standardIcon(picture, nullptr, widget);
    }
    return *icon;
}

void TitleBarIcons::unpolish(QApplication* application) {
    // Leaving the application, or its theme changing under it: made again when next asked.
    icons_ = {};
    QProxyStyle::unpolish(application);
}

}  // namespace veldra
