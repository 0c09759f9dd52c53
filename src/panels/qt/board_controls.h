#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QString>
#include <algorithm>
#include <functional>

#include "platform/panel_controls.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

// Small pieces the lamp-driver, encoder and signal-head windows draw with: their boxes
// carry a second bit of a row, so they are many, and every one hands its change to the
// half and then shows what the half made of it.

namespace veldra {

// The halves know the buttons as the original knew them; the middle button clicks nothing.
inline MouseButton MouseButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::LeftButton:
            return MouseButton::Left;
        default:
            return MouseButton::Middle;
    }
}

// The desktop's font may be wider than the design's: a control grows to its text, never
// shrinks below the design.
inline void FitWidth(QWidget& control) {
    control.resize(std::max(control.width(), control.sizeHint().width()), control.height());
}

// A box of the design, `parent`-relative in twips. A change the user makes reaches
// `click` only when it differs from what the half holds (`held`): a tick the drawing
// merely follows from the half is no change for it.
inline QCheckBox* MakeBox(QWidget* parent, const QString& name, QRect twips,
                          std::function<bool()> held, std::function<void()> click) {
    auto* box = new QCheckBox(QStringLiteral("SPARE"), parent);
    box->setObjectName(name);
    box->setGeometry(RectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    FitWidth(*box);
    QObject::connect(box, &QCheckBox::toggled, box,
                     [held = std::move(held), click = std::move(click)](bool ticked) {
                         if (ticked != held()) {
                             click();
                         }
                     });
    return box;
}

// Caption, tool tip, tick, usability and view as the half holds them.
inline void DrawBox(QCheckBox& box, const CheckBox& shown) {
    const QString caption = ToQString(shown.caption);
    if (box.text() != caption) {
        box.setText(caption);
        FitWidth(box);
    }
    box.setToolTip(ToQString(shown.toolTip));
    box.setChecked(shown.ticked);
    box.setEnabled(shown.usable);
    box.setVisible(shown.visible);
}

// A fixed label of the design inside `parent`.
inline QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, int width,
                         int height, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(RectFromTwips(left, top, width, height));
    FitWidth(*label);
    return label;
}

// The board-name label stands further right on some windows than the common header puts
// it; it never moves left of where the header put it, beside a wide "Enabled" box.
inline void MoveBoardName(QWidget& form, int left) {
    if (auto* label = form.findChild<QLabel*>(QStringLiteral("lblBoardName"))) {
        label->move(std::max(label->x(), PixelsFromTwips(left)), label->y());
    }
}

}  // namespace veldra
