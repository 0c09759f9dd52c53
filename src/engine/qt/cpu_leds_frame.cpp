#include "engine/qt/cpu_leds_frame.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

#include "engine/cpu_board.h"
#include "engine/qt/program_page_frame.h"
#include "platform/qt/lamp.h"
#include "platform/qt/twips.h"

namespace veldra {

using namespace page_controls;

CpuLedsFrame::CpuLedsFrame(const CpuBoard& cpu, QWidget* parent)
    : QGroupBox("CPU LEDs", parent), cpu_(cpu) {
    setObjectName("fraCPU");
    auto* layout = new QGridLayout(this);
    layout->setVerticalSpacing(PixelsFromTwips(90));
    for (int i = 0; i < 8; ++i) {
        const int led = i + 1;
        ledOn_[std::size_t(i)] = new LampWidget(this, QColor(255, 0, 0));
        ledOn_[std::size_t(i)]->setObjectName(Indexed("LedOn", led));
        ledOn_[std::size_t(i)]->SetImage(LampImage::Lit);
        ledOff_[std::size_t(i)] = new LampWidget(this, QColor(255, 0, 0));
        ledOff_[std::size_t(i)]->setObjectName(Indexed("LedOff", led));
        ledOff_[std::size_t(i)]->SetImage(LampImage::Dark);
        ledLabels_[std::size_t(i)] = Label("", this);
        ledLabels_[std::size_t(i)]->setText(QString("LED.%1").arg(led));
        ledLabels_[std::size_t(i)]->setObjectName(Indexed("LED", led));
        ledLabels_[std::size_t(i)]->installEventFilter(this);
        layout->addWidget(ledOn_[std::size_t(i)], i, 0);
        layout->addWidget(ledOff_[std::size_t(i)], i, 0);
        layout->addWidget(ledLabels_[std::size_t(i)], i, 1);
        const QString name = QString("LED.%1").arg(led);
        for (LampWidget* lamp : {ledOn_[std::size_t(i)], ledOff_[std::size_t(i)]}) {
            connect(lamp, &LampWidget::clicked, this, [this, name](Qt::MouseButton button) {
                if (button == Qt::RightButton) {
                    Q_EMIT bitAssignAsked(name);
                }
            });
        }
    }
}

void CpuLedsFrame::Sync() {
    for (int led = 1; led <= 8; ++led) {
        const bool lit = cpu_.Lit(led);
        ledOn_[std::size_t(led - 1)]->SetImage(lit ? LampImage::Lit : LampImage::Parked);
        ledOff_[std::size_t(led - 1)]->SetImage(lit ? LampImage::Parked : LampImage::Dark);
    }
}

bool CpuLedsFrame::eventFilter(QObject* watched, QEvent* event) {
    for (int led = 1; led <= 8; ++led) {
        if (watched == ledLabels_[std::size_t(led - 1)] &&
            event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            Q_EMIT bitAssignAsked(QString("LED.%1").arg(led));
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace veldra
