#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <functional>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "links/qt/frmConnect.h"
#include "panels/qt/frmTrack.h"
#include "platform/clock.h"
#include "platform/qt/ini_settings.h"
#include "shell/qt/application.h"
#include "shell/qt/frmMain.h"
#include "support/qt/application_fixture.h"
#include "support/qt/scripted_dialogs.h"

// The Ashby - Barton single line (examples/line_end_a.ml2 and line_end_b.ml2) in two
// simulators on one display, their coded-track ends linked over TCP/IP through the
// "TCP/IP Connection" dialog as a signal engineer links them. This process is Ashby and
// sends a train; it starts a second copy of itself as Barton, which takes the train in
// and reports through its exit code. The code delay is disabled at both ends, so that
// a code reaches the far logic in a few ticks; the five seconds before line clear run.

namespace veldra::testing {
namespace {

// Barton learns Ashby's port from here; without it Barton's test has nothing to do.
constexpr const char* kPortVariable = "VELDRA_ASHBY_PORT";
constexpr const char* kBartonTest = "BartonEnd.TakesTheTrainFromAshbyAndClearsTheLine";
// Long enough for a loaded machine, short of the ctest time-out.
constexpr int kBoundMs = 60000;

template <class Control>
Control* Find(QWidget& window, const QString& name) {
    auto* control = window.findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

// One simulator as started from a shell on an application source, its boxes answered
// from a script, its logic timers on the wall clock.
class Simulator {
public:
    explicit Simulator(const std::string& example)
        : app_(
              dialogs, settings_, clock_, [](const std::vector<std::string>&) {},
              [this] { ended_ = true; }) {
        started_ = app_.Start(std::string(VELDRA_EXAMPLES "/") + example);
        Settle();
    }
    ~Simulator() {
        if (started_ && !Main().Unloaded()) {
            dialogs.Answer(MsgAnswer::Yes);  // "Close Simulator?"
            EXPECT_TRUE(Main().close());
        }
        Settle();
        EXPECT_FALSE(ended_) << "the simulator ended itself";
    }

    bool Started() const { return started_; }
    frmMain& Main() { return app_.MainWindow(); }
    ProgramEngine& Engine() { return Main().Program()->Engine(); }

    // Starts the program from the main window's menu.
    void StartProgram() {
        dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        Main().findChild<QAction*>("mnuStop")->trigger();
        EXPECT_TRUE(Engine().Running());
    }

    bool Bit(const char* name) {
        const BooleanBit* bit = Engine().PrgBooleanBits()->Find(name);
        EXPECT_NE(bit, nullptr) << name;
        return bit != nullptr && bit->BitValue();
    }
    // Waits for a bit to come to `value` as the scans run; false when it never did.
    [[nodiscard]] bool Becomes(const char* name, bool value) {
        return Until([&] { return Bit(name) == value; }, name);
    }
    // Waits for `done`, no longer than the bound and only while the far end runs.
    template <class Done>
    [[nodiscard]] bool Until(Done done, const std::string& what) {
        const auto gone = [&] { return farEndGone && farEndGone(); };
        if (QTest::qWaitFor([&] { return done() || gone(); }, kBoundMs) && done()) {
            return true;
        }
        ADD_FAILURE() << "no " << what << (gone() ? ": the far end ended" : "");
        return false;
    }

    // Clicks the label of an input on whichever board window shows it.
    void Click(const char* name) {
        for (const QMdiSubWindow* window : Main().Area().subWindowList()) {
            for (QLabel* label : window->widget()->findChildren<QLabel*>()) {
                const QString control = label->objectName();
                if (label->text() == name &&
                    (control.startsWith("lblIO_") || control.startsWith("lblInput_"))) {
                    QTest::mouseClick(label, Qt::LeftButton);
                    Settle();
                    return;
                }
            }
        }
        ADD_FAILURE() << "no board window shows " << name;
    }

    // The coded-track window of a board.
    frmTrack& Track(const char* board) {
        for (frmTrack* form : Main().findChildren<frmTrack*>()) {
            if (form->windowTitle().startsWith(QLatin1String(board) + " : ")) {
                return *form;
            }
        }
        throw std::logic_error(std::string("no coded-track window for ") + board);
    }

    // Links an end of a coded track: "Link", then `fill` in the dialog that opens.
    template <class Fill>
    void Link(frmTrack& form, char end, Fill fill) {
        WhenShown<links::frmConnect>(fill);
        QTest::mouseClick(Find<QPushButton>(form, QStringLiteral("cmdLink%1").arg(end)),
                          Qt::LeftButton);
        Settle();
    }

    ScriptedDialogs dialogs;
    // Whether the simulator at the line's other end has ended, when this one knows.
    std::function<bool()> farEndGone;

private:
    IniSettings settings_;
    SystemClock clock_;
    bool ended_ = false;
    bool started_ = false;
    Application app_;
};

// Clicks a check box or an option on its mark, as a short caption leaves the middle of the
// control outside what a click there reaches.
void ClickMark(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

QString Text(QWidget& window, const QString& label) {
    return Find<QLabel>(window, label)->text();
}

// Ticks a box that stands unticked.
void Tick(QWidget& window, const char* box) {
    auto* check = Find<QCheckBox>(window, QLatin1String(box));
    ClickMark(check);
    Settle();
    EXPECT_TRUE(check->isChecked()) << box;
}

// What a coded-track end shows, for a failure's message.
std::string EndState(frmTrack& form, char end) {
    const auto text = [&](const char* format) {
        return Text(form, QString::fromLatin1(format).arg(end)).toStdString();
    };
    const auto* shunt = form.findChild<QCheckBox*>(end == 'A' ? "chkShunt_1" : "chkShunt_0");
    return "status \"" + text("lbl%1Status") + "\", received \"" + text("lbl%1RecCode") +
           "\", transmitting \"" + text("lblTrans%1") + "\", " +
           (shunt->isChecked() ? "shunted, " : "") + text("lblTCP%1");
}

// Barton, the second simulator: once Ashby's port is known it takes Ashby's train in.
class BartonSimulator {
public:
    ~BartonSimulator() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    void Start(quint16 ashbyPort) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kPortVariable, QString::number(ashbyPort));
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process_, &QProcess::readyRead, [this] {
            const QByteArray text = process_.readAll();
            output_ += text;
            std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
            std::fflush(stdout);
        });
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=%1").arg(kBartonTest)});
    }
    bool Ended() const { return process_.state() == QProcess::NotRunning; }
    // Waits for Barton to end; true when its test ran and passed.
    [[nodiscard]] bool Passed() {
        if (!QTest::qWaitFor([this] { return process_.state() == QProcess::NotRunning; },
                             kBoundMs)) {
            ADD_FAILURE() << "Barton never ended";
            return false;
        }
        output_ += process_.readAll();
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0 &&
               output_.contains("[  PASSED  ] 1 test.");
    }

private:
    QProcess process_;
    QByteArray output_;
};

TEST(AshbyBartonLinked, ATrainRunsFromAshbyToBartonAndTheLineReturnsToIdle) {
    if (qEnvironmentVariableIsSet(kPortVariable)) {
        GTEST_SKIP() << "this process plays Barton";
    }
    QElapsedTimer run;
    run.start();
    Simulator ashby("line_end_a.ml2");
    ASSERT_TRUE(ashby.Started());
    ashby.StartProgram();
    for (const char* track : {"T_W_EXIT", "T_W_ARR"}) {  // every track clear
        ashby.Click(track);
        ASSERT_TRUE(ashby.Becomes(track, true));
    }

    // The line end, end B, listens on the loopback address.
    frmTrack& line = ashby.Track("WEST_TRX");
    quint16 port = 0;
    ashby.Link(line, 'B', [&port](links::frmConnect& dialog) {
        ClickMark(Find<QRadioButton>(dialog, "optType_0"));
        auto* address = Find<QComboBox>(dialog, "cmbIP");
        const int loopback = address->findText("127.0.0.1");
        EXPECT_GE(loopback, 0) << "no loopback address offered";
        address->setCurrentIndex(loopback);
        const QString local = Find<QLabel>(dialog, "lblLocalPort")->text();
        EXPECT_TRUE(local.startsWith("Local Port: ")) << local.toStdString();
        port = quint16(local.section(": ", 1).toUInt());
        QTest::mouseClick(Find<QPushButton>(dialog, "cmdConnect"), Qt::LeftButton);
    });
    ASSERT_NE(port, 0);
    EXPECT_EQ(Text(line, "lblTCPB"), "TCP/IP Connection: Listening");
    EXPECT_EQ(Find<QPushButton>(line, "cmdLinkB")->text(), "Close");
    Tick(line, "chkBDelay");

    BartonSimulator barton;
    barton.Start(port);
    ashby.farEndGone = [&barton] { return barton.Ended(); };
    ASSERT_TRUE(ashby.Until([&] { return Text(line, "lblTCPB") == "TCP/IP Connection: Active"; },
                            "connection from Barton"))
        << EndState(line, 'B');
    ASSERT_TRUE(ashby.Becomes("W_LINK_UP", true)) << EndState(line, 'B');
    EXPECT_EQ(Text(line, "lblBStatus"), "NORMAL");
    EXPECT_FALSE(Find<QCheckBox>(line, "chkShunt_0")->isChecked());
    ASSERT_TRUE(ashby.Becomes("W_LINE_IDLE", true));

    // The signalman offers the train; Barton gives line clear five seconds on.
    ashby.Click("W_OFFER_PB");
    ASSERT_TRUE(ashby.Becomes("W_OFFER_OUT", true));
    QElapsedTimer offered;
    offered.start();
    ashby.Click("W_OFFER_PB");  // the button let go: the offer sticks
    ASSERT_TRUE(ashby.Becomes("W_LC_IN", true)) << EndState(line, 'B');
    EXPECT_GE(offered.elapsed(), 5000);
    EXPECT_FALSE(Text(line, "lblBRecCode").isEmpty());
    ASSERT_TRUE(ashby.Becomes("W_STR_HR", true));

    // The train passes the starter onto the line and clears the exit track.
    ashby.Click("T_W_EXIT");
    ASSERT_TRUE(ashby.Becomes("W_TOL_OUT", true));
    ASSERT_TRUE(ashby.Becomes("W_STR_HR", false));
    ashby.Click("T_W_EXIT");

    // Barton reports it arrived; both ends take their codes off.
    ASSERT_TRUE(ashby.Becomes("W_TOS_IN", true)) << EndState(line, 'B');
    ASSERT_TRUE(ashby.Becomes("W_LINE_IDLE", true)) << EndState(line, 'B');
    EXPECT_TRUE(ashby.Bit("W_BLK_BLOCKED"));

    // Ashby closes the link; Barton sees it close and ends.
    QTest::mouseClick(Find<QPushButton>(line, "cmdLinkB"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Text(line, "lblTCPB"), "TCP/IP Connection: Closed");
    EXPECT_TRUE(barton.Passed()) << "Barton's end failed: see its output above";
    std::printf("The train ran from Ashby to Barton in %.1f s\n", double(run.elapsed()) / 1000);
}

// Barton, started by Ashby's test: it links to Ashby's port, lets the quarry siding's
// ground frame send its normal code, and takes in the train Ashby sends.
TEST(BartonEnd, TakesTheTrainFromAshbyAndClearsTheLine) {
    const QByteArray port = qgetenv(kPortVariable);
    if (port.isEmpty()) {
        GTEST_SKIP() << "played by Ashby's test, in a second simulator";
    }
    Simulator barton("line_end_b.ml2");
    ASSERT_TRUE(barton.Started());
    barton.StartProgram();
    for (const char* track : {"T_E_EXIT", "T_E_ARR"}) {
        barton.Click(track);
        ASSERT_TRUE(barton.Becomes(track, true));
    }

    // The ground frame sends the 1 rate and its normal code, 7, through the tester.
    frmTrack& siding = barton.Track("EAST_EC");
    Tick(siding, "chkADelay");
    WhenShown<frmEcode>([](frmEcode& tester) {
        ClickMark(Find<QCheckBox>(tester, "chkNonVital_0"));                       // 1.IN
        ClickMark(Find<QRadioButton>(tester, "optVital_4"));                       // 7.IN
        QTest::mouseClick(Find<QPushButton>(tester, "Command1"), Qt::LeftButton);  // SEND
    });
    QTest::mouseClick(Find<QPushButton>(siding, "cmdRec_1"), Qt::LeftButton);
    Settle();
    ASSERT_TRUE(barton.Becomes("E_GF_NORMAL", true)) << EndState(siding, 'A');

    // The line end, end A, connects to Ashby.
    frmTrack& line = barton.Track("EAST_TRX");
    barton.Link(line, 'A', [&port](links::frmConnect& dialog) {
        ClickMark(Find<QRadioButton>(dialog, "optType_1"));
        QTest::keyClicks(Find<QLineEdit>(dialog, "txtRemoteIP"), "127.0.0.1");
        QTest::keyClicks(Find<QLineEdit>(dialog, "txtRemotePort"), QString::fromLatin1(port));
        QTest::mouseClick(Find<QPushButton>(dialog, "cmdConnect"), Qt::LeftButton);
    });
    Tick(line, "chkADelay");
    // Until the train is in, Ashby is gone once the link has ended.
    barton.farEndGone = [&line] { return Find<QPushButton>(line, "cmdLinkA")->text() == "Link"; };
    ASSERT_TRUE(barton.Until([&] { return Text(line, "lblTCPA") == "TCP/IP Connection: Active"; },
                             "connection to Ashby"))
        << EndState(line, 'A');
    ASSERT_TRUE(barton.Becomes("E_LINK_UP", true)) << EndState(line, 'A');

    // Ashby offers; line clear follows once the arrival track has been clear five seconds.
    ASSERT_TRUE(barton.Becomes("E_OFFER_IN", true)) << EndState(line, 'A');
    EXPECT_TRUE(barton.Becomes("E_BLOCK_BELL", true));
    ASSERT_TRUE(barton.Becomes("E_LC_OUT", true));

    // The train on the line calls the crossing; closed, it clears the home signal.
    ASSERT_TRUE(barton.Becomes("E_TOL_IN", true)) << EndState(line, 'A');
    ASSERT_TRUE(barton.Becomes("E_XING_STRIKE", true));
    EXPECT_FALSE(barton.Bit("E_HOME_HR"));
    barton.Click("E_XING_CLOSED");
    ASSERT_TRUE(barton.Becomes("E_HOME_HR", true));

    // The train occupies the arrival track and clears it: out of section.
    barton.Click("T_E_ARR");
    ASSERT_TRUE(barton.Becomes("E_HOME_HR", false));
    ASSERT_TRUE(barton.Becomes("E_XING_STRIKE", false));
    barton.Click("E_XING_CLOSED");
    barton.Click("T_E_ARR");
    ASSERT_TRUE(barton.Becomes("E_TOS_OUT", true));

    // Ashby takes its codes off, Barton its own, and Ashby closes the link.
    ASSERT_TRUE(barton.Becomes("E_LINE_IDLE", true)) << EndState(line, 'A');
    EXPECT_TRUE(barton.Bit("E_BLK_BLOCKED"));
    barton.farEndGone = nullptr;
    ASSERT_TRUE(barton.Until([&] { return Text(line, "lblTCPA") == "TCP/IP Connection: Closed"; },
                             "link closed by Ashby"))
        << EndState(line, 'A');
    EXPECT_EQ(Find<QPushButton>(line, "cmdLinkA")->text(), "Link");
}

}  // namespace
}  // namespace veldra::testing
