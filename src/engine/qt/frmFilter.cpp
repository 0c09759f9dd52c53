#include "engine/qt/frmFilter.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "platform/qt/busy_cursor.h"

namespace veldra {

frmFilter::frmFilter(ProgramEngine& engine, WindowRegistry& windows, QWidget* parent)
    : BitFlagDialog(engine, BitFlagLists::Flag::Filter, windows, "frmFilter", "lstShow",
                    "lstFilter", AfterFailure::Close, parent) {
    auto* none = new QPushButton("Filter None", this);
    auto* all = new QPushButton("Filter ALL", this);
    auto* io = new QPushButton("Filter IO", this);
    none->setObjectName("cmdNone");
    all->setObjectName("cmdAll");
    io->setObjectName("cmdIO");
    for (QPushButton* button : {none, all, io}) {
        button->setAutoDefault(false);
        Buttons().addWidget(button);
    }
    const auto bulk = [this](std::function<void()> flag) {
        return [this, flag] {
            BusyCursor busy;
            Change(flag);
        };
    };
    connect(none, &QPushButton::clicked, this, bulk([this] { Lists().FlagAll(false); }));
    connect(all, &QPushButton::clicked, this, bulk([this] { Lists().FlagAll(true); }));
    connect(io, &QPushButton::clicked, this, bulk([this] { Lists().FlagBoardBits(); }));
}

}  // namespace veldra
