#include "shell/qt/frmAbout.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/window_frame.h"

namespace veldra {
namespace {

constexpr const char* kTitle = "VELDRA";
constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = 10;

constexpr const char* kNotice[] = {
    "This simulator is designed to mimic the behavior observed in the actual ",
    "equipment.  This program is a design tool, intended to assist in finding ",
    "logical errors in an application program.  It is not a Vital Program and ",
    "should not be used as a substitute for a rack test or in-service testing.",
};

constexpr const char* kDisclaimer =
    "Warning: this program is provided as a design aid only. Its results do not prove "
    "an application safe, and it must never be used to approve an application for "
    "service. Every application must be verified by the checks and tests the railway's "
    "own rules require.";

QString VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

}  // namespace

QPixmap ProgramPicture() {
    constexpr int kWidth = 48;
    constexpr int kHeight = 96;
    QPixmap picture(kWidth, kHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(110, 110, 110));
    painter.drawRect(QRectF(20, 66, 8, 30));
    painter.setBrush(QColor(25, 25, 25));
    painter.drawRoundedRect(QRectF(8, 2, 32, 66), 10, 10);
    const QColor aspects[] = {QColor(230, 30, 30), QColor(90, 70, 10), QColor(10, 70, 30)};
    for (int lamp = 0; lamp < 3; ++lamp) {
        painter.setBrush(aspects[lamp]);
        painter.drawEllipse(QPointF(24, 14 + lamp * 21), 8, 8);
    }
    return picture;
}

frmAbout::frmAbout(WindowRegistry& windows, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About ") + kTitle);
    BuildWindow();
    // Opening another program closes it with every other window.
    new RegisteredChild(windows, *this, "frmAbout");
}

frmAbout::~frmAbout() = default;

void frmAbout::BuildWindow() {
    auto* layout = new QGridLayout(this);

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(ProgramPicture());
    image->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(image, 0, 0, 3, 1);

    auto* title = new QLabel(kTitle, this);
    title->setObjectName("lblTitle");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title, 0, 1);

    auto* version = new QLabel(VersionText(), this);
    version->setObjectName("lblVersion");
    layout->addWidget(version, 1, 1);

    auto* notice = new QPlainTextEdit(this);
    notice->setObjectName("Text1");
    notice->setReadOnly(true);
    QString text;
    for (const char* line : kNotice) {
        text += QString::fromLatin1(line) + '\n';
    }
    notice->setPlainText(text);
    // Each line whole on its own row, as its breaks lay it out.
    notice->setLineWrapMode(QPlainTextEdit::NoWrap);
    notice->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    notice->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(notice->font());
    int widest = 0;
    for (const char* line : kNotice) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(line)));
    }
    const int margins = 2 * (notice->frameWidth() + int(notice->document()->documentMargin()));
    notice->setMinimumWidth(widest + margins + 2 * metrics.averageCharWidth());
    notice->setFixedHeight(5 * metrics.lineSpacing() + margins);
    layout->addWidget(notice, 2, 1);

    auto* disclaimer = new QLabel(kDisclaimer, this);
    disclaimer->setObjectName("lblDisclaimer");
    disclaimer->setWordWrap(true);
    layout->addWidget(disclaimer, 3, 0, 1, 2);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    auto* sysInfo = new QPushButton("&System Info...", this);
    sysInfo->setObjectName("cmdSysInfo");
    connect(sysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 4, 1);
}

void frmAbout::cmdOK_Click() {
    WindowFrame(*this).close();
}

void frmAbout::cmdSysInfo_Click() {
    dialogs_.MessageBox(
        {"System Information Is Unavailable At This Time", MsgButtons::Ok, MsgIcon::None, kTitle});
}

}  // namespace veldra
