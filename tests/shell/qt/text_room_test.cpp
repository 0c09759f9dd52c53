// Every text an engineer reads on the windows, read whole: each example and an application
// of long names opened as he opens them, every window walked, and every label, box, button,
// frame caption and grid cell in sight measured against the room it is drawn in; and the
// program window's boxes and buttons, on every page, as opened, tiled and made small,
// measured against the line of text each must show.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "ladder/qt/frmShowAssign.h"
#include "ladder/qt/frmStatements.h"
#include "logic/statement.h"
#include "logic/statements.h"
#include "platform/qt/window_frame.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

// A text drawn in a control: where it stands, how far its control lets it show, and the
// tip that shows it whole when it cannot.
struct ShownText {
    ShownText(const QWidget* control, QString where, QString text, bool cell = false)
        : control(control), where(std::move(where)), text(std::move(text)), cell(cell) {}

    const QWidget* control;
    QString where;  // the control's name, and a cell's place
    QString text;
    QRect ink;   // the text as drawn, in the control's own places
    QRect room;  // where the control lets it show
    QString tip;
    bool cell;
};

// The part of `control` its window shows: cut by every widget it stands in.
QRect InSight(const QWidget& control, const QWidget& window) {
    QRect sight = control.rect();
    QPoint offset;
    for (const QWidget* inner = &control; inner != &window && inner->parentWidget() != nullptr;
         inner = inner->parentWidget()) {
        offset += inner->pos();
        sight &= QRect(-offset, inner->parentWidget()->size());
    }
    return sight;
}

int TextWidth(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

// `width` by one line placed in `box` as `alignment` places it.
QRect Placed(const QRect& box, int width, int height, Qt::Alignment alignment) {
    int left = box.left();
    if ((alignment & Qt::AlignRight) != 0) {
        left = box.right() + 1 - width;
    } else if ((alignment & Qt::AlignHCenter) != 0) {
        left = box.left() + (box.width() - width) / 2;
    }
    int top = box.top() + (box.height() - height) / 2;
    if ((alignment & Qt::AlignTop) != 0) {
        top = box.top();
    } else if ((alignment & Qt::AlignBottom) != 0) {
        top = box.bottom() + 1 - height;
    }
    return {left, top, width, height};
}

ShownText OfLabel(const QLabel& label) {
    ShownText shown(&label, label.objectName(), label.text());
    const QFontMetrics metrics = label.fontMetrics();
    const int margin = label.margin();
    QRect box = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    int indent = label.indent();
    if (indent < 0) {
        indent = label.frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    }
    const Qt::Alignment alignment = label.alignment();
    if ((alignment & Qt::AlignRight) != 0) {
        box.setRight(box.right() - indent);
    } else if ((alignment & Qt::AlignHCenter) == 0) {
        box.setLeft(box.left() + indent);
    }
    shown.ink = Placed(box, TextWidth(metrics, shown.text), metrics.height(), alignment);
    shown.room = box;
    shown.tip = label.toolTip();
    return shown;
}

ShownText OfButton(const QAbstractButton& button) {
    ShownText shown(&button, button.objectName(), button.text());
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    const QFontMetrics metrics = button.fontMetrics();
    const int width = metrics.horizontalAdvance(shown.text);
    QStyle* style = button.style();
    if (qobject_cast<const QPushButton*>(&button) != nullptr) {
        shown.room = style->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        shown.ink = Placed(shown.room, width, metrics.height(), Qt::AlignCenter);
    } else {
        const bool radio = qobject_cast<const QRadioButton*>(&button) != nullptr;
        shown.room = style->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, &button);
        const QRect mark = style->subElementRect(
            radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option,
            &button);
        shown.ink = Placed(shown.room, width, metrics.height(), Qt::AlignLeft | Qt::AlignVCenter)
                        .united(mark);
        shown.room = shown.room.united(mark);
    }
    shown.tip = button.toolTip();
    return shown;
}

ShownText OfFrame(const QGroupBox& frame) {
    ShownText shown(&frame, frame.objectName(), frame.title());
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.lineWidth = 1;
    option.textAlignment = frame.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.features = frame.isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    const QRect caption = frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                        QStyle::SC_GroupBoxLabel, &frame);
    const QFontMetrics metrics = frame.fontMetrics();
    shown.ink = Placed(caption, metrics.horizontalAdvance(shown.text), metrics.height(),
                       Qt::AlignLeft | Qt::AlignVCenter);
    shown.room = caption & frame.rect();
    shown.tip = frame.toolTip();
    return shown;
}

// The room a cell's text has: the cell, less the grid line and the style's margins.
ShownText OfCell(const QAbstractItemView& view, const QModelIndex& index) {
    ShownText shown(
        view.viewport(),
        QStringLiteral("%1[%2,%3]").arg(view.objectName()).arg(index.row()).arg(index.column()),
        index.data(Qt::DisplayRole).toString(), true);
    QStyleOptionViewItem option;
    option.initFrom(view.viewport());
    option.font = view.font();
    if (const QVariant font = index.data(Qt::FontRole); font.isValid()) {
        option.font = font.value<QFont>();
    }
    option.fontMetrics = QFontMetrics(option.font);
    option.text = shown.text;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.rect = view.visualRect(index);
    if (const auto* table = qobject_cast<const QTableView*>(&view); table && table->showGrid()) {
        option.rect.adjust(0, 0, -1, -1);
    }
    if (index.data(Qt::DecorationRole).isValid()) {
        option.features |= QStyleOptionViewItem::HasDecoration;
        const QSize icons = view.iconSize();
        const int side = view.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &view);
        option.decorationSize = icons.isValid() ? icons : QSize(side, side);
    }
    if (index.data(Qt::CheckStateRole).isValid()) {
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
    }
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    option.displayAlignment = alignment.isValid() ? Qt::Alignment(alignment.toInt())
                                                  : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    QStyle* style = view.style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    shown.room = style->subElementRect(QStyle::SE_ItemViewItemText, &option, &view)
                     .adjusted(margin, 0, -margin, 0);
    shown.ink = Placed(shown.room, option.fontMetrics.horizontalAdvance(shown.text),
                       option.fontMetrics.height(), option.displayAlignment);
    shown.tip = index.data(Qt::ToolTipRole).toString();
    return shown;
}

// The cells a view shows, from its first line in sight to its last.
std::vector<ShownText> CellsInSight(const QAbstractItemView& view) {
    std::vector<ShownText> cells;
    const QAbstractItemModel* model = view.model();
    if (model == nullptr || qobject_cast<const QHeaderView*>(&view) != nullptr) {
        return cells;
    }
    const QRect sight = view.viewport()->rect();
    const QModelIndex first = view.indexAt(QPoint(1, 1));
    if (!first.isValid()) {
        return cells;
    }
    for (int row = first.row(); row < model->rowCount(); ++row) {
        bool rowInSight = false;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const QRect place = view.visualRect(index);
            if (!place.isValid() || !place.intersects(sight)) {
                continue;
            }
            rowInSight = true;
            // A text of words in a grid that wraps runs on over the lines its row has; the
            // statements list sizes those rows by its own rule.
            const QString text = index.data(Qt::DisplayRole).toString();
            const auto* table = qobject_cast<const QTableView*>(&view);
            if (!text.isEmpty() &&
                !(table != nullptr && table->wordWrap() && text.contains(QLatin1Char(' ')))) {
                cells.push_back(OfCell(view, index));
            }
        }
        if (!rowInSight && row > first.row()) {
            break;
        }
    }
    return cells;
}

// A text the window cannot show whole, or that another control's text covers.
class TextRoomCheck {
public:
    // Controls (names, or the first letters of names) whose texts may be too wide for the
    // room the layouts give them, whatever the face: each shows its text whole in its tip.
    explicit TextRoomCheck(std::set<QString> tippedOnly) : tippedOnly_(std::move(tippedOnly)) {}

    void Window(const QWidget& window, const QString& caption) {
        std::vector<ShownText> texts;
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->isVisible() || InSight(*control, window).isEmpty()) {
                continue;
            }
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                if (!label->text().isEmpty() && !label->wordWrap() &&
                    label->textFormat() != Qt::RichText && !Qt::mightBeRichText(label->text())) {
                    texts.push_back(OfLabel(*label));
                }
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
                if (!button->text().isEmpty() && (qobject_cast<const QCheckBox*>(control) ||
                                                  qobject_cast<const QRadioButton*>(control) ||
                                                  qobject_cast<const QPushButton*>(control))) {
                    texts.push_back(OfButton(*button));
                }
            } else if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
                if (!frame->title().isEmpty()) {
                    texts.push_back(OfFrame(*frame));
                }
            } else if (const auto* view = qobject_cast<const QAbstractItemView*>(control)) {
                std::vector<ShownText> cells = CellsInSight(*view);
                FindAlike(*view, caption, cells);
                for (ShownText& cell : cells) {
                    texts.push_back(std::move(cell));
                }
            }
        }
        for (const ShownText& shown : texts) {
            MeasureRoom(window, caption, shown);
        }
        FindCovered(window, caption, texts);
    }

    const std::vector<std::string>& Faults() const { return faults_; }

private:
    void MeasureRoom(const QWidget& window, const QString& caption, const ShownText& shown) {
        // A control is cut by its window's edges; a cell shows whole once scrolled to.
        const QRect room = shown.cell ? shown.room : shown.room & InSight(*shown.control, window);
        if (room.left() <= shown.ink.left() && shown.ink.right() <= room.right()) {
            return;
        }
        const bool tipped =
            std::any_of(tippedOnly_.begin(), tippedOnly_.end(),
                        [&](const QString& name) { return shown.where.startsWith(name); });
        if (tipped && shown.tip == shown.text) {
            return;
        }
        faults_.push_back(QStringLiteral("%1 / %2: \"%3\" is %4 pixels wide in %5")
                              .arg(caption, shown.where, shown.text)
                              .arg(shown.ink.width())
                              .arg(std::max(0, room.width()))
                              .toStdString());
    }

    // Lines of a list that read alike as drawn, cut to their room, though their texts differ.
    void FindAlike(const QAbstractItemView& view, const QString& caption,
                   const std::vector<ShownText>& cells) {
        const QImage shot = view.viewport()->grab().toImage();
        std::vector<std::pair<const ShownText*, QImage>> cut;
        for (const ShownText& cell : cells) {
            if (cell.ink.width() <= cell.room.width()) {
                continue;
            }
            QImage drawn = shot.copy(cell.room);
            for (const auto& [other, looks] : cut) {
                if (other->text != cell.text && looks == drawn) {
                    faults_.push_back(QStringLiteral("%1 / %2: \"%3\" reads as \"%4\" does")
                                          .arg(caption, cell.where, cell.text, other->text)
                                          .toStdString());
                }
            }
            cut.emplace_back(&cell, std::move(drawn));
        }
    }

    // Two controls whose drawn texts meet: the one made later is drawn over the other.
    void FindCovered(const QWidget& window, const QString& caption,
                     const std::vector<ShownText>& texts) {
        std::vector<QRect> inks;
        for (const ShownText& shown : texts) {
            const QRect drawn = shown.ink & InSight(*shown.control, window);
            inks.emplace_back(shown.control->mapTo(&window, drawn.topLeft()), drawn.size());
        }
        for (std::size_t a = 0; a < texts.size(); ++a) {
            for (std::size_t b = a + 1; b < texts.size(); ++b) {
                if (texts[a].control == texts[b].control ||
                    texts[a].control->isAncestorOf(texts[b].control) ||
                    texts[b].control->isAncestorOf(texts[a].control) ||
                    !inks[a].intersects(inks[b])) {
                    continue;
                }
                faults_.push_back(
                    QStringLiteral("%1 / %2 (\"%3\") and %4 (\"%5\") overlap")
                        .arg(caption, texts[a].where, texts[a].text, texts[b].where, texts[b].text)
                        .toStdString());
            }
        }
    }

    std::set<QString> tippedOnly_;
    std::vector<std::string> faults_;
};

// The room a box or command button leaves its one line of text, from top to bottom.
int LineRoom(const QWidget& control) {
    QStyle* style = control.style();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth =
            edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        return style->subElementRect(QStyle::SE_LineEditContents, &option, edit).height();
    }
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&control)) {
        QStyleOptionSpinBox option;
        option.initFrom(spin);
        option.frame = spin->hasFrame();
        option.subControls = QStyle::SC_SpinBoxEditField;
        return style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin)
            .height();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(&control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        return style
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
            .height();
    }
    QStyleOptionButton option;
    option.initFrom(&control);
    return style->subElementRect(QStyle::SE_PushButtonContents, &option, &control).height();
}

// The bit status finder's box keeps the width it had before the grid's names claimed
// the page (about 98 pixels in this face); squeezed to 29 to 77, it showed only the last
// letters of a name typed in it.
constexpr int kFindBoxWidth = 90;

// Whether the window shows all of `control`, or can scroll it all into sight.
bool Reachable(const QWidget& control, const QWidget& window) {
    const QWidget* shown = &control;
    for (const QWidget* inner = &control; inner != &window; inner = inner->parentWidget()) {
        const auto* view = qobject_cast<const QScrollArea*>(inner);
        if (view != nullptr && view->widget() != nullptr && view->widget()->isAncestorOf(shown)) {
            const QRect place(shown->mapTo(view->widget(), QPoint(0, 0)), shown->size());
            if (!view->widget()->rect().contains(place)) {
                return false;
            }
            shown = view;
        }
    }
    return InSight(*shown, window) == shown->rect();
}

// Boxes and command buttons of a window too low to show their line, or out of its sight
// where it cannot scroll them into it, and a finder too narrow for the name typed in it.
std::vector<std::string> SqueezedControls(const QWidget& window, const QString& caption) {
    std::vector<std::string> faults;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window)) {
            continue;
        }
        if (qobject_cast<const QLineEdit*>(control) != nullptr &&
            qobject_cast<const QAbstractSpinBox*>(control->parentWidget()) == nullptr &&
            qobject_cast<const QComboBox*>(control->parentWidget()) == nullptr) {
            // a box of its own, not the one a spin box or combo box draws its text in
        } else if (qobject_cast<const QAbstractSpinBox*>(control) == nullptr &&
                   qobject_cast<const QComboBox*>(control) == nullptr &&
                   qobject_cast<const QPushButton*>(control) == nullptr) {
            continue;
        }
        if (!Reachable(*control, window)) {
            faults.push_back(QStringLiteral("%1 / %2: out of sight")
                                 .arg(caption, control->objectName())
                                 .toStdString());
        }
        const int line = control->fontMetrics().height();
        if (const int room = LineRoom(*control); room < line) {
            faults.push_back(QStringLiteral("%1 / %2: %3 pixels high for a line of %4")
                                 .arg(caption, control->objectName())
                                 .arg(room)
                                 .arg(line)
                                 .toStdString());
        }
        if (control->objectName() == "txtBit" && control->width() < kFindBoxWidth) {
            faults.push_back(QStringLiteral("%1 / txtBit: %2 pixels wide, not %3")
                                 .arg(caption)
                                 .arg(control->width())
                                 .arg(kFindBoxWidth)
                                 .toStdString());
        }
    }
    return faults;
}

// An application whose every name is as long as engineers write them when they spell the
// place out: board windows of every kind, a state table and statements over them.
std::string LongNames() {
    std::string source = R"(PROGRAM LONG_NAMES_JUNCTION;
CONSTANTS BOOLEAN
    CPS.STATUS = 1;
BOOLEAN BITS
    NORTH_APPROACH_ROUTE_SET_1, NORTH_APPROACH_ROUTE_SET_2, LEVEL_CROSSING_WARNING_STATE;
BOARD: NORTH_JUNCTION_TRACKS
    FIXED
    ENABLE: 1
    TYPE: IN16
    INPUT: NORTH_APPROACH_TRACK_RELAY_1, NORTH_APPROACH_TRACK_RELAY_2, SPARE,
        SOUTH_DEPARTURE_TRACK_RELAY_1;
BOARD: NORTH_JUNCTION_INDICATIONS
    FIXED
    ENABLE: 1
    TYPE: OUT16
    OUTPUT: NORTH_APPROACH_ROUTE_INDICATION_1, NORTH_APPROACH_ROUTE_INDICATION_2;
BOARD: NORTH_JUNCTION_POINT_MACHINE
    FIXED
    ENABLE: 1
    TYPE: MIXIO
    INPUT: NORTH_POINT_NORMAL_DETECTION, NORTH_POINT_REVERSE_DETECTION;
    OUTPUT: NORTH_POINT_NORMAL_DRIVE_OUTPUT, NORTH_POINT_REVERSE_DRIVE_OUTPUT;
BOARD: NORTH_JUNCTION_SIGNAL_LAMPS
    ADJUSTABLE
    ENABLE: 1
    TYPE: LAMP16
    FIXED 25 WATT
    MODE 1
    OUTPUT: NORTH_HOME_SIGNAL_RED_LAMP, NORTH_HOME_SIGNAL_GREEN_LAMP;
    LAMP.OUT: NORTH_HOME_SIGNAL_RED_LAMP_OUT, NORTH_HOME_SIGNAL_GREEN_LAMP_OUT;
BOARD: NORTH_JUNCTION_PANEL_LEDS
    FIXED
    ENABLE: 1
    TYPE: LED12
    ADJUSTABLE 2 WATT
    OUTPUT: NORTH_PANEL_ROUTE_LED_1, NORTH_PANEL_ROUTE_LED_2;
    SIGNAL.GOOD: NORTH_PANEL_ROUTE_LED_1_GOOD, NORTH_PANEL_ROUTE_LED_2_GOOD;
BOARD: NORTH_JUNCTION_HOME_SIGNAL
    ADJUSTABLE
    ENABLE: 1
    TYPE: COLOR.LIGHT
    HEAD1 ADJUSTABLE
        ENABLE: 1;
        LAMP: NORTH_HOME_UPPER_HEAD_LAMP;
        ASPECT: NORTH_HOME_UPPER_RED, NORTH_HOME_UPPER_GREEN;
        LAMP.OUT: NORTH_HOME_UPPER_RED_OUT, NORTH_HOME_UPPER_GREEN_OUT;
    HEAD2 ADJUSTABLE
        ENABLE: 1;
        LAMP: NORTH_HOME_LOWER_HEAD_LAMP;
        ASPECT: NORTH_HOME_LOWER_CALLING_ON;
        LAMP.OUT: NORTH_HOME_LOWER_CALLING_ON_OUT;
    INPUT: NORTH_HOME_LAMP_SUPPLY_OK, NORTH_HOME_LAMP_TEST_SWITCH;
BOARD: NORTH_JUNCTION_TRAIN_ENCODER
    FIXED
    ENABLE: 1
    TYPE: ASES.ENCODER
    CHANNEL1:
        FIXED ENABLE: 1
        SEND IF NORTH_HOME_ENCODER_STOP_TELEGRAM,
    CHANNEL2:
        ADJUSTABLE ENABLE: 1
        SEND IF NORTH_HOME_ENCODER_CLEAR_TELEGRAM,
LOGIC BEGIN
ASSIGN NORTH_APPROACH_TRACK_RELAY_1 * NORTH_POINT_NORMAL_DETECTION TO NORTH_APPROACH_ROUTE_SET_1;
ASSIGN NORTH_APPROACH_TRACK_RELAY_2 * NORTH_POINT_REVERSE_DETECTION TO NORTH_APPROACH_ROUTE_SET_2;
ASSIGN NORTH_APPROACH_ROUTE_SET_1 TO NORTH_APPROACH_ROUTE_INDICATION_1, NORTH_PANEL_ROUTE_LED_1;
ASSIGN NORTH_APPROACH_ROUTE_SET_2 TO NORTH_APPROACH_ROUTE_INDICATION_2, NORTH_PANEL_ROUTE_LED_2;
ASSIGN NORTH_APPROACH_ROUTE_SET_1 TO NORTH_HOME_SIGNAL_GREEN_LAMP, NORTH_HOME_UPPER_GREEN;
ASSIGN ~NORTH_APPROACH_ROUTE_SET_1 TO NORTH_HOME_SIGNAL_RED_LAMP, NORTH_HOME_UPPER_RED;
ASSIGN NORTH_APPROACH_ROUTE_SET_2 TO NORTH_POINT_REVERSE_DRIVE_OUTPUT, NORTH_HOME_LOWER_CALLING_ON;
ASSIGN ~NORTH_APPROACH_ROUTE_SET_2 TO NORTH_POINT_NORMAL_DRIVE_OUTPUT;
ASSIGN ~NORTH_APPROACH_ROUTE_SET_1 TO NORTH_HOME_ENCODER_STOP_TELEGRAM;
ASSIGN NORTH_APPROACH_ROUTE_SET_1 TO NORTH_HOME_ENCODER_CLEAR_TELEGRAM;
END LOGIC
TABLES BEGIN
    TABLE 1
    TRIGGERS ON NORTH_APPROACH_TRACK_RELAY_1 AND
    INPUTS: NORTH_APPROACH_TRACK_RELAY_1, SOUTH_DEPARTURE_TRACK_RELAY_1
    OUTPUTS: LEVEL_CROSSING_WARNING_STATE;
    STATE: 1 ? YIELDS: 0;
    UNDEFINED 1;
    END TABLE
END TABLES
END PROGRAM
)";
    std::string lines;
    for (char c : source) {
        lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return lines;
}

// The controls that show the application's own names: a name may be longer than the room
// the layouts give it, and then shows whole in the control's tool tip (the board name, the
// board windows' rows and boxes, the bit lists, the statements list's expressions in the
// width the window leaves them). The layouts' own captions and the columns sized from
// their texts have no such leave.
const std::set<QString> kNamedControls = {
    "lblBoardName", "lblIO_",        "lblInput_", "lblOut_",    "chkLO_",     "lblLmpA_",
    "lblLmpB_",     "chkALO_",       "chkBLO_",   "lblLampAOn", "lblLampBOn", "lblIn1Name",
    "lblIn2Name",   "cmbBitSelect_", "lstch_",    "grdState["};

struct Application {
    const char* name;
};

std::ostream& operator<<(std::ostream& out, const Application& application) {
    return out << application.name;
}

class TextRoomTest : public ApplicationFixture, public ::testing::WithParamInterface<Application> {
protected:
    std::string Source() {
        const std::string name = GetParam().name;
        if (name != "long names") {
            return (std::filesystem::path(VELDRA_EXAMPLES) / name).string();
        }
        const std::filesystem::path path =
            std::filesystem::path(folder_.path().toStdString()) / "long_names.ml2";
        std::ofstream(path, std::ios::binary) << LongNames();
        return path.string();
    }
    // Every window on view, the program window on each of its pages.
    std::vector<std::string> Faults() {
        TextRoomCheck check(kNamedControls);
        QWidget* program = Main().Program();
        for (QMdiSubWindow* frame : Main().Area().subWindowList(QMdiArea::CreationOrder)) {
            if (frame->isVisible() && !frame->isMinimized() && frame->widget() != program) {
                check.Window(*frame->widget(), frame->windowTitle());
            }
        }
        auto* pages = program->findChild<QTabBar*>("tbSelect");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            Settle();
            check.Window(*program, program->windowTitle() + " / " + pages->tabText(page));
        }
        return check.Faults();
    }
    // The program window's boxes and buttons on each of its pages, as arranged now.
    std::vector<std::string> SqueezedFaults(const QString& arrangement) {
        QWidget* program = Main().Program();
        std::vector<std::string> faults;
        auto* pages = program->findChild<QTabBar*>("tbSelect");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            Settle();
            for (std::string& fault :
                 SqueezedControls(*program, arrangement + " / " + pages->tabText(page))) {
                faults.push_back(std::move(fault));
            }
        }
        return faults;
    }
    // The application opened, with the statements list beside its windows.
    void Open() {
        app = Started(Source());
        ASSERT_TRUE(started);
        Item("mnuStatements")->trigger();
        Settle();
        auto* statements = Main().findChild<frmStatements*>("frmStatements");
        ASSERT_NE(statements, nullptr);
        // Its rows laid out, as they are a moment after the window last changed its size.
        Settle();
        statements->tmrFixWindow.Fire();
        Settle();
    }

private:
    QTemporaryDir folder_;
};

std::string Listed(const std::vector<std::string>& faults) {
    std::string listed;
    for (const std::string& fault : faults) {
        listed += "\n  " + fault;
    }
    return listed;
}

TEST_P(TextRoomTest, EveryTextInSightShowsWholeAndUncovered) {
    ASSERT_NO_FATAL_FAILURE(Open());

    const std::vector<std::string> faults = Faults();
    EXPECT_TRUE(faults.empty()) << faults.size() << " texts not whole:" << Listed(faults);
}

TEST_P(TextRoomTest, EveryBoxAndButtonOfTheProgramWindowKeepsItsLineAsOpenedAndTiled) {
    ASSERT_NO_FATAL_FAILURE(Open());

    std::vector<std::string> faults = SqueezedFaults("as opened");
    // Tiled while each page is shown in turn, and then every page looked at.
    auto* pages = Main().Program()->findChild<QTabBar*>("tbSelect");
    for (const char* tile : {"mnuTileHorizontal", "mnuTileVertical"}) {
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            Settle();
            Item(tile)->trigger();
            Settle();
            for (std::string& fault :
                 SqueezedFaults(Item(tile)->text() + " on " + pages->tabText(page))) {
                faults.push_back(std::move(fault));
            }
        }
    }
    // Kept smaller than its pages, the window scrolls them.
    QWidget* frame = Main().Program()->parentWidget();
    frame->resize(300, 260);
    Settle();
    for (std::string& fault : SqueezedFaults("made small")) {
        faults.push_back(std::move(fault));
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " controls squeezed:" << Listed(faults);
}

// The statement viewer made as small as its frame goes while its statement is True, and
// the statement turning False then: its result line and every other text still read whole.
TEST_P(TextRoomTest, TheStatementViewerKeepsEveryTextWholeAtItsSmallestSize) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Statement& statement = *Engine().prgAssigns->Item(1);
    Main().Program()->ShowBitAssign(statement.ResultBitName(0));
    Settle();
    auto* viewer = Main().findChild<frmShowAssign*>("frmShowAssign");
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(statement.AcceptResult(true));
    Settle();
    // As small as dragging its edges makes it.
    QWidget& frame = WindowFrame(*viewer);
    frame.resize(frame.minimumSizeHint());
    Settle();
    ASSERT_TRUE(statement.AcceptResult(false));
    Settle();
    TextRoomCheck check(kNamedControls);
    check.Window(*viewer, "Assign Statement made small");
    EXPECT_TRUE(check.Faults().empty())
        << check.Faults().size() << " texts not whole:" << Listed(check.Faults());
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndLongNames, TextRoomTest,
                         ::testing::Values(Application{"interlocking.ml2"},
                                           Application{"level_crossing.ml2"},
                                           Application{"line_end_a.ml2"},
                                           Application{"line_end_b.ml2"},
                                           Application{"long names"}),
                         [](const ::testing::TestParamInfo<Application>& info) {
                             std::string name = info.param.name;
                             name = name.substr(0, name.find('.'));
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

}  // namespace
}  // namespace veldra::testing
