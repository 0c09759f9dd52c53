#pragma once

#include <QTableView>
#include <utility>

class QMouseEvent;

namespace veldra {

// The bit status grid as the engineer double-clicks it: anywhere on it, whether on a row
// (its narrow first column included) or on the empty space below and beside the rows,
// names the bit whose statement is wanted. Only a row has a name; elsewhere the name is
// empty, and the program window says that no statement assigns it.
class StatusGridView final : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

    // The first and last row in sight: -1 for none, or for the last when the rows end
    // above the bottom.
    std::pair<int, int> RowsInSight() const;

Q_SIGNALS:
    void bitDoubleClicked(const QString& name);
    // Before each paint of the rows, which may follow a scroll or a resize.
    void aboutToPaint();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace veldra
