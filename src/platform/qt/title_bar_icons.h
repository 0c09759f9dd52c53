#pragma once

#include <QIcon>
#include <QProxyStyle>
#include <array>
#include <optional>

namespace veldra {

// The desktop's own style, with the pictures of a child window's title bar and window menu
// made once and shared by every child window: the style would otherwise read and decode
// them again for each of the hundreds of board windows a large application opens.
class TitleBarIcons final : public QProxyStyle {
    Q_OBJECT

public:
    explicit TitleBarIcons(QStyle* base);

    // Puts the application's style under a TitleBarIcons, once; before any window is made,
    // so that none has to be laid out again.
    static void Install();

    QIcon standardIcon(StandardPixmap picture, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void unpolish(QApplication* application) override;

private:
    static constexpr int kShared = 8;
    mutable std::array<std::optional<QIcon>, kShared> icons_;
};

}  // namespace veldra
