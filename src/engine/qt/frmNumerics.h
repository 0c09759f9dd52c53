#pragma once

#include <QWidget>
#include <string>

namespace veldra {

// "Numeric Blocks": the report of the program's numeric blocks as it stood when the
// window opened, kept as it was while the blocks go on solving, so that two reports
// opened at different times can be read side by side.
class frmNumerics final : public QWidget {
public:
    explicit frmNumerics(const std::string& report, QWidget* parent = nullptr);
};

}  // namespace veldra
