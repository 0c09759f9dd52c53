#pragma once

#include <QAbstractListModel>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veldra {

// A list of the program window over lines the core keeps: the view asks for what it
// shows, so a list of tens of thousands of bits opens at once. A check list hands a
// tick or a clear straight to the core.
class CoreListModel final : public QAbstractListModel {
public:
    struct Source {
        std::function<int()> count;
        std::function<QString(int)> text;
        // A check list's tick per line; none for a plain list.
        std::function<bool(int)> checked;
        std::function<void(int, bool)> check;
    };

    CoreListModel(Source source, QObject* parent);
    // A plain list of the lines the core keeps, read afresh whenever the view asks.
    static Source Lines(std::function<const std::vector<std::string>&()> lines);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Follows the core's lines: rebuilt when their number changed, else redrawn.
    void Sync();

private:
    Source source_;
    int shownCount_ = 0;
};

}  // namespace veldra
