#include "engine/qt/bit_flag_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <exception>

#include "engine/qt/core_list_model.h"
#include "platform/load_under_way.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_registry.h"
#include "platform/window_errors.h"

namespace veldra {

void BitFlagDialog::Change(const std::function<void()>& body) {
    AnswerFailures(body, [this](const std::exception& error) {
        ShowFailure(error);
        if (afterFailure_ == AfterFailure::Close) {
            // Also when the failure came while the window was being built.
            QTimer::singleShot(0, this, &QDialog::reject);
        }
    });
    Sync();
}

BitFlagDialog::BitFlagDialog(ProgramEngine& engine, BitFlagLists::Flag flag,
                             WindowRegistry& windows, const char* className,
                             const char* clearedName, const char* setName,
                             AfterFailure afterFailure, QWidget* parent)
    : QDialog(parent), lists_(engine, flag), afterFailure_(afterFailure) {
    setObjectName(className);
    setWindowTitle(ToQString(lists_.Caption()));
    new RegisteredChild(windows, *this, className);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(ToQString(lists_.ClearedTitle()), this), 0, 0);
    layout->addWidget(new QLabel(ToQString(lists_.SetTitle()), this), 0, 1);
    QListView* cleared = AddList(clearedName, &BitFlagLists::Cleared);
    QListView* set = AddList(setName, &BitFlagLists::Set);
    cleared_ = static_cast<CoreListModel*>(cleared->model());
    set_ = static_cast<CoreListModel*>(set->model());
    layout->addWidget(cleared, 1, 0);
    layout->addWidget(set, 1, 1);
    connect(cleared, &QListView::doubleClicked, this,
            [this](const QModelIndex& line) { Change([&] { lists_.MoveToSet(line.row()); }); });
    connect(set, &QListView::doubleClicked, this,
            [this](const QModelIndex& line) { Change([&] { lists_.MoveToCleared(line.row()); }); });

    buttons_ = new QHBoxLayout;
    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command1");
    done->setAutoDefault(false);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    buttons_->addWidget(done);
    layout->addLayout(buttons_, 2, 0, 1, 2);
    resize(SizeFromTwips(5400, 4800));

    Change([&] { lists_.Load(); });
}

QListView* BitFlagDialog::AddList(const char* name,
                                  const std::vector<std::string>& (BitFlagLists::*lines)() const) {
    auto* list = new QListView(this);
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setModel(new CoreListModel(
        CoreListModel::Lines([ this, lines ]() -> const auto& { return (lists_.*lines)(); }),
        list));
    return list;
}

void BitFlagDialog::Sync() {
    cleared_->Sync();
    set_->Sync();
}

}  // namespace veldra
