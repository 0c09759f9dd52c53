#include "engine/qt/core_list_model.h"

#include "platform/qt/qt_text.h"

namespace veldra {

CoreListModel::CoreListModel(Source source, QObject* parent)
    : QAbstractListModel(parent), source_(std::move(source)) {}

CoreListModel::Source CoreListModel::Lines(std::function<const std::vector<std::string>&()> lines) {
    Source source;
    source.count = [lines] { return int(lines().size()); };
    source.text = [lines](int line) { return ToQString(lines()[std::size_t(line)]); };
    return source;
}

int CoreListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownCount_;
}

QVariant CoreListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shownCount_ || index.row() >= source_.count()) {
        return {};
    }
    // A line too long for its list is shown cut; its tip shows it whole.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return source_.text(index.row());
    }
    if (role == Qt::CheckStateRole && source_.checked) {
        return source_.checked(index.row()) ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool CoreListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !source_.check || !index.isValid()) {
        return false;
    }
    source_.check(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags CoreListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractListModel::flags(index);
    if (source_.check) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

void CoreListModel::Sync() {
    const int rows = source_.count();
    if (rows != shownCount_) {
        beginResetModel();
        shownCount_ = rows;
        endResetModel();
    } else if (rows > 0) {
        Q_EMIT dataChanged(index(0), index(rows - 1));
    }
}

}  // namespace veldra
