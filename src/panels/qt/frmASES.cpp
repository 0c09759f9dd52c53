#include "panels/qt/frmASES.h"

#include <QGroupBox>
#include <QListWidget>
#include <QMouseEvent>

#include "panels/ases_panel.h"
#include "panels/qt/board_controls.h"

namespace veldra {
namespace {

// The channels stand 1200 twips apart, channel 1 at the top.
constexpr int kFirstFrameTop = 360;
constexpr int kFrameStep = 1200;

}  // namespace

frmASES::frmASES(ASESPanel& half) : BoardForm(half, "frmASES"), half_(half) {
    AddHeader();
    for (int n = 1; n <= kChannels; ++n) {
        const std::size_t slot = std::size_t(n - 1);
        auto* frame = new QGroupBox(ToQString(ASESPanel::ChannelCaption(n)), this);
        frame->setObjectName(QStringLiteral("fraCh_%1").arg(n));
        frame->setGeometry(RectFromTwips(120, kFirstFrameTop + kFrameStep * (n - 1), 2655, 1095));
        MakeLabel(frame, "lblActive", 120, 240, 1455, 255, "Active Control Bit")
            ->setObjectName(QStringLiteral("lblActive_%1").arg(n));
        boxes_[slot] = MakeBox(
            frame, QStringLiteral("ench_%1").arg(n), QRect(1440, 120, 975, 255),
            [this, n] { return half_.ChannelBox(n).ticked; }, [this, n] { ClickChannel(n); });
        auto* list = new QListWidget(frame);
        list->setObjectName(QStringLiteral("lstch_%1").arg(n));
        list->setGeometry(RectFromTwips(120, 480, 2415, 450));
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemDoubleClicked, this, [this, n](QListWidgetItem* item) {
            half_.DoubleClickList(n, ToStdString(item->text()));
        });
        lists_[slot] = list;
    }
    DrawNow();
}

void frmASES::Draw() {
    DrawHeader();
    for (int n = 1; n <= kChannels; ++n) {
        const std::size_t slot = std::size_t(n - 1);
        DrawBox(*boxes_[slot], half_.ChannelBox(n));
        // The list is filled again only when its entries changed, so that a selection
        // survives the changes of other channels.
        const std::vector<std::string>& active = half_.ChannelList(n);
        QListWidget& list = *lists_[slot];
        bool same = list.count() == int(active.size());
        for (int i = 0; same && i < list.count(); ++i) {
            same = list.item(i)->text() == ToQString(active[std::size_t(i)]);
        }
        if (!same) {
            list.clear();
            for (const std::string& name : active) {
                list.addItem(ToQString(name));
            }
        }
    }
}

void frmASES::ClickChannel(int channel) {
    half_.ClickChannel(channel);
    DrawNow();
}

bool frmASES::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int n = 1; n <= kChannels; ++n) {
            const QListWidget* list = lists_[std::size_t(n - 1)];
            if (list != nullptr && watched == list->viewport()) {
                half_.MouseDownList(n, MouseButtonOf(static_cast<QMouseEvent*>(event)->button()));
                return false;
            }
        }
    }
    return BoardForm::eventFilter(watched, event);
}

}  // namespace veldra
