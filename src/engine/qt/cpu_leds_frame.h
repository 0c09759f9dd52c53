#pragma once

#include <QGroupBox>
#include <array>

class QLabel;

namespace veldra {

class CpuBoard;
class LampWidget;

// The program window's eight CPU LEDs, lit as the program's LED bits stand; a right
// click on an LED or its name asks for the statement that assigns it.
class CpuLedsFrame final : public QGroupBox {
    Q_OBJECT

public:
    CpuLedsFrame(const CpuBoard& cpu, QWidget* parent);

    // Follows the LED bits.
    void Sync();

Q_SIGNALS:
    void bitAssignAsked(const QString& BitName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const CpuBoard& cpu_;
    std::array<QLabel*, 8> ledLabels_{};
    std::array<LampWidget*, 8> ledOn_{};
    std::array<LampWidget*, 8> ledOff_{};
};

}  // namespace veldra
