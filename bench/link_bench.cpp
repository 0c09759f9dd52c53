// Two programs, each with a serial station of 256 bits, loaded into real program windows
// offscreen with their station windows drawn, linked over loopback through the stations'
// "Link" buttons as a user links them: how long one out bit takes to reach the peer
// program's logic, and what a scan tick costs while a peer floods the station with records.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "gen/bench_support.h"
#include "links/peer_codec.h"
#include "links/qt/frmConnect.h"
#include "links/qt/peer_link.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/qt/board_windows.h"
#include "panels/qt/frmSerialPort.h"
#include "panels/serial_port_panel.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/window_registry.h"

namespace {

using namespace veldra;
using Clock = std::chrono::steady_clock;

constexpr int kBits = 256;
constexpr int kBoundMs = 5000;
// What a peer sending 10,000 records a second delivers between two scan ticks (50 ms).
constexpr int kFloodRecordsPerTick = 10000 * 50 / 1000;

// Names `prefix`0 to `prefix`(count-1), eight to a line.
std::string NameList(const std::string& prefix, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        list += i == 0 ? "" : (i % 8 == 0 ? ",\n        " : ", ");
        list += prefix + std::to_string(i);
    }
    return list;
}

// A program with one serial station whose every bit the logic copies: the west end sends
// W_OUTn from W_SRCn, the east end copies what it receives, E_INn, to E_ECHOn.
std::string StationSource(bool west) {
    const std::string program = west ? "WEST_END" : "EAST_END";
    const std::string station = west ? "WEST" : "EAST";
    const std::string in = west ? "W_IN" : "E_IN";
    const std::string out = west ? "W_OUT" : "E_OUT";
    const int ins = west ? 1 : kBits;
    const int outs = west ? kBits : 1;
    std::string source = "PROGRAM " + program + ";\n\n";
    source += "BOOLEAN BITS\n        " + NameList(west ? "W_SRC" : "E_ECHO", kBits) + ";\n\n";
    source += "LINK:\n    STATION.NAME: " + station +
              "\n    ADDRESS: 1\n    PEER\n    ADJUSTABLE\n    ENABLE: 1\n";
    source += "    INPUT: " + NameList(in, ins) + ";\n";
    source += "    OUTPUT: " + NameList(out, outs) + ";\n\n";
    source += "LOGIC BEGIN\n";
    for (int i = 0; i < kBits; ++i) {
        const std::string n = std::to_string(i);
        source += west ? "    ASSIGN W_SRC" + n + " TO W_OUT" + n + ";\n"
                       : "    ASSIGN E_IN" + n + " TO E_ECHO" + n + ";\n";
    }
    source += "END LOGIC\nEND PROGRAM\n";
    return source;
}

// Lets the desktop run until `done` holds; false when it did not within the bound.
bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > kBoundMs) {
            return false;
        }
        QCoreApplication::processEvents();
    }
    return true;
}

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

// A program loaded as the user loads one, in its own program window with its board
// windows drawn in an area of their own (a simulator of its own), and started. Its scan
// ticks only when the benchmark fires it.
class StationProgram final : private LoaderHost {
public:
    StationProgram(const std::string& source, Dialogs& dialogs) : window(registry, dialogs, clock) {
        area.resize(800, 600);
        area.show();
        ParseText(Engine(), *this, boards.Halves()).GetProgramFromText(source);
        Engine().tmrProgram.SetInterval(0);
        Engine().StartTimer.SetInterval(0);
        Engine().StartStop();
        Scan();
        for (BoardPanel* half : boards.Windows()) {
            if (dynamic_cast<SerialPortPanel*>(half) != nullptr) {
                station = qobject_cast<frmSerialPort*>(boards.WindowOf(*half));
            }
        }
    }
    ~StationProgram() override { window.CloseWindow(); }

    ProgramEngine& Engine() { return window.Engine(); }
    void Scan() { Engine().tmrProgram.Fire(); }
    bool Bit(const std::string& name) {
        const BooleanBit* bit = Engine().PrgBooleanBits()->Item(name);
        return bit != nullptr && bit->BitValue();
    }
    // The station's "Link" button, its dialog filled in as the user fills it: server on
    // 127.0.0.1 and the port offered, or client to 127.0.0.1 and `port`.
    void Link(bool server, quint16 port = 0) {
        QTimer::singleShot(0, [server, port] {
            auto* dialog = qobject_cast<links::frmConnect*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            dialog->findChild<QRadioButton*>(server ? "optType_0" : "optType_1")->click();
            if (server) {
                auto* address = dialog->findChild<QComboBox*>("cmbIP");
                address->setCurrentIndex(address->findText("127.0.0.1"));
            } else {
                dialog->findChild<QLineEdit*>("txtRemoteIP")->setText("127.0.0.1");
                dialog->findChild<QLineEdit*>("txtRemotePort")->setText(QString::number(port));
            }
            dialog->findChild<QPushButton*>("cmdConnect")->click();
        });
        station->findChild<QPushButton*>("cmdLink")->click();
    }
    links::PeerLink& PeerLink() { return station->Link(); }

    WindowRegistry registry;
    SystemClock clock;
    frmProgram window;
    QMdiArea area;
    bench::QuietBoardProgram quiet;
    BoardWindows boards{Engine().IOBits,
                        [this](QWidget& form) {
                            form.setAttribute(Qt::WA_DeleteOnClose);
                            area.addSubWindow(&form)->show();
                        },
                        quiet};
    frmSerialPort* station = nullptr;

private:
    void DoEvents() override { QCoreApplication::processEvents(); }
    void LoadFinished() override { window.LoadFinished(boards.Windows()); }
};

// The west end's W_OUT0 changes in its scan; the send tick is run by hand at once; the
// east end's station takes the records and its next scan copies E_IN0 to E_ECHO0. Timed
// from the west's input to the east's scan having run; "slowest_ms" is the longest.
void BM_SerialBitToPeerScan(benchmark::State& state) {
    bench::CautiousPlatform platform;
    ModalDialogs dialogs;
    StationProgram west(StationSource(true), dialogs);
    StationProgram east(StationSource(false), dialogs);
    west.Link(true);
    east.Link(false, west.PeerLink().ListeningPort());
    if (!WaitFor([&] { return west.PeerLink().IsConnected() && east.PeerLink().IsConnected(); })) {
        state.SkipWithError("the stations did not link");
        return;
    }
    // Each end asked the other for its bits on linking: answered before the clock runs.
    west.PeerLink().SendNow();
    east.PeerLink().SendNow();
    WaitFor([&] { return west.PeerLink().Buffer().Empty() && east.PeerLink().Buffer().Empty(); });
    east.Scan();

    bool value = false;
    double slowest = 0;
    for (auto _ : state) {
        value = !value;
        const Clock::time_point start = Clock::now();
        west.Engine().IOBits.Add("W_SRC0", value);
        west.Scan();
        west.PeerLink().SendNow();
        const bool arrived = WaitFor([&] {
            const BooleanBit* posted = east.Engine().IOBits.Find("E_IN0");
            return posted != nullptr && posted->BitValue() == value;
        });
        east.Scan();
        const double taken = Seconds(Clock::now() - start);
        state.SetIterationTime(taken);
        slowest = std::max(slowest, taken);
        if (!arrived || east.Bit("E_ECHO0") != value) {
            state.SkipWithError("the peer program's bit did not follow");
            break;
        }
    }
    state.counters["slowest_ms"] = slowest * 1000;
}
BENCHMARK(BM_SerialBitToPeerScan)->UseManualTime()->Unit(benchmark::kMillisecond);

// A raw socket, linked to the east end's station, writes a scan period's worth of records
// at 10,000 a second: the whole set of 256 bits and more, every bit flipped from the last
// period. Once the station has taken them all, the east end's scan tick is timed; the
// counter "receive_ms" is the wall time from writing a period's records until the station
// had applied the last of them; "slowest_ms" the longest tick.
void BM_SerialFloodScanTick(benchmark::State& state) {
    bench::CautiousPlatform platform;
    ModalDialogs dialogs;
    StationProgram east(StationSource(false), dialogs);
    east.Link(true);
    QTcpSocket flood;
    flood.connectToHost(QStringLiteral("127.0.0.1"), east.PeerLink().ListeningPort());
    if (!WaitFor([&] {
            return east.PeerLink().IsConnected() &&
                   flood.state() == QAbstractSocket::ConnectedState;
        })) {
        state.SkipWithError("the flood did not link");
        return;
    }
    std::size_t received = 0;
    east.PeerLink().onRecords =
        [&received, take = east.PeerLink().onRecords](const std::vector<links::Received>& records) {
            received += records.size();
            take(records);
        };

    bool value = false;
    double receiving = 0;
    double slowest = 0;
    for (auto _ : state) {
        value = !value;
        std::string records;
        for (int i = 0; i < kFloodRecordsPerTick; ++i) {
            records += links::DataRecord(std::to_string(i % kBits + 1), value);
        }
        const std::size_t expected = received + kFloodRecordsPerTick;
        const Clock::time_point written = Clock::now();
        flood.write(records.data(), qint64(records.size()));
        const bool arrived = WaitFor([&] { return received >= expected; });
        receiving += Seconds(Clock::now() - written);
        flood.readAll();  // the station's own requests and answers

        const Clock::time_point start = Clock::now();
        east.Scan();
        const double tick = Seconds(Clock::now() - start);
        state.SetIterationTime(tick);
        slowest = std::max(slowest, tick);
        if (!arrived || east.Bit("E_ECHO" + std::to_string(kBits - 1)) != value) {
            state.SkipWithError("the flood did not reach the program");
            break;
        }
    }
    state.counters["receive_ms"] =
        benchmark::Counter(receiving * 1000, benchmark::Counter::kAvgIterations);
    state.counters["slowest_ms"] = slowest * 1000;
}
BENCHMARK(BM_SerialFloodScanTick)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
