#include "engine/qt/page_tabs.h"

#include <QApplication>
#include <QEvent>
#include <QProxyStyle>
#include <algorithm>

namespace veldra {
namespace {

// The least room left beside a caption, in pixels on both sides together.
constexpr int kLeastRoom = 2;

}  // namespace

// The desktop's style, with the room beside the captions of one tab bar set by that bar.
class PageTabs::Spacing final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace && room >= 0) {
            return room;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    int room = -1;  // none set: the style's own
};

PageTabs::PageTabs(QWidget* parent) : QTabBar(parent), spacing_(new Spacing) {
    // Kept by the bar and gone after it: the bar and its scroll buttons draw with it.
    spacing_->setParent(this);
    setStyle(spacing_);
    // A click on a tab takes the focus, as a click on any other control does, so that a
    // value box left by it is left for a control: applied once, or refused with the page
    // kept. The window's frame, which would take it otherwise, only borrows the focus.
    setFocusPolicy(Qt::StrongFocus);
}

PageTabs::~PageTabs() {
    setStyle(nullptr);
}

void PageTabs::resizeEvent(QResizeEvent* event) {
    FitCaptions();
    QTabBar::resizeEvent(event);
}

void PageTabs::tabInserted(int index) {
    QTabBar::tabInserted(index);
    FitCaptions();
}

void PageTabs::FitCaptions() {
    if (count() == 0) {
        return;
    }
    const int usual = spacing_->baseStyle()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, this);
    const int current = spacing_->room >= 0 ? spacing_->room : usual;
    // What the tabs take beyond their room: the captions and the tabs' own frames.
    int taken = 0;
    for (int tab = 0; tab < count(); ++tab) {
        taken += tabSizeHint(tab).width() - current;
    }
    const int room = std::clamp((width() - taken) / count(), kLeastRoom, usual);
    if (room != spacing_->room) {
        spacing_->room = room;
        // The bar measures its tabs again on a change of style.
        QEvent changed(QEvent::StyleChange);
        QApplication::sendEvent(this, &changed);
    }
}

}  // namespace veldra
