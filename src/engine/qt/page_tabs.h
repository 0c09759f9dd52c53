#pragma once

#include <QTabBar>

namespace veldra {

// The program window's page tabs, every caption shown whole at the window's fixed width:
// the room beside each caption shrinks, as far as a few pixels, before any tab would go
// behind the scroll arrows (which are left for a font too wide even for that).
class PageTabs final : public QTabBar {
    Q_OBJECT

public:
    explicit PageTabs(QWidget* parent = nullptr);
    ~PageTabs() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void tabInserted(int index) override;

private:
    class Spacing;

    void FitCaptions();

    Spacing* spacing_;
};

}  // namespace veldra
