#pragma once

#include <QDialog>
#include <functional>

#include "engine/bit_flag_lists.h"

class QHBoxLayout;
class QListView;

namespace veldra {

class CoreListModel;
class ProgramEngine;
class WindowRegistry;

// The two lists of the filter and watch windows: every bit by name, on the left while
// its flag is clear and on the right while it is set; a double-click moves a name across
// and the bit takes the flag at once. Lists of every bit of a large program are models,
// so the window opens at once.
class BitFlagDialog : public QDialog {
public:
    // After a failure the filter window closes; the watch window stays.
    enum class AfterFailure { Close, Stay };

    // The list views are named `clearedName` and `setName`.
    BitFlagDialog(ProgramEngine& engine, BitFlagLists::Flag flag, WindowRegistry& windows,
                  const char* className, const char* clearedName, const char* setName,
                  AfterFailure afterFailure, QWidget* parent);

protected:
    BitFlagLists& Lists() { return lists_; }
    // The row of buttons under the lists, "Done" first.
    QHBoxLayout& Buttons() { return *buttons_; }
    // Runs a change of the lists and shows the lists afterwards; a failure is shown
    // under "Veldra" and ends the change.
    void Change(const std::function<void()>& body);

private:
    QListView* AddList(const char* name,
                       const std::vector<std::string>& (BitFlagLists::*lines)() const);
    void Sync();

    BitFlagLists lists_;
    AfterFailure afterFailure_;
    CoreListModel* cleared_ = nullptr;
    CoreListModel* set_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

}  // namespace veldra
