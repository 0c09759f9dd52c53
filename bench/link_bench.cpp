// Two programs, each with a serial station of 256 bits, loaded into real program windows
// offscreen with their station windows drawn, linked over loopback through the stations'
// "Link" buttons as a user links them: how long one out bit takes to reach the peer
// program's logic, what a scan tick costs while a peer floods the station with records, and
// what a peer sending as fast as it can does to the scan's tick and the process's memory.
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
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

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
// A flood at full speed: this many records, or what goes out in this time.
constexpr std::size_t kFullSpeedRecords = 10'000'000;
constexpr auto kFullSpeedBound = std::chrono::seconds(5);
constexpr int kScanPeriodMs = 50;

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

// A peer on a thread of its own writing serial records to 127.0.0.1:`port` as fast as the
// link takes them, every bit flipped from one set to the next, until `kFullSpeedRecords`
// are out or `kFullSpeedBound` has passed; then it closes. Blocking writes: what the link
// does not take waits in the system's buffers, as it would for a peer on another machine.
class FullSpeedPeer {
public:
    explicit FullSpeedPeer(quint16 port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        // A link that stops taking records leaves a write waiting no longer than this.
        timeval wait{0, 100'000};
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~FullSpeedPeer() {
        if (writer_.joinable()) {
            writer_.join();
        }
        ::close(fd_);
    }
    bool Connected() const { return connected_; }
    void Start() {
        writer_ = std::thread([this] { Write(); });
    }
    bool Done() const { return done_; }
    std::size_t Sent() const { return sent_; }

private:
    void Write() {
        std::string sets[2];
        for (int value = 0; value < 2; ++value) {
            for (int i = 0; i < kBits; ++i) {
                sets[value] += links::DataRecord(std::to_string(i + 1), value == 1);
            }
        }
        const Clock::time_point until = Clock::now() + kFullSpeedBound;
        std::size_t sent = 0;
        for (int set = 0; sent + kBits <= kFullSpeedRecords && Clock::now() < until; ++set) {
            const std::string& text = sets[set % 2];
            std::size_t at = 0;
            while (at < text.size() && Clock::now() < until) {
                const ssize_t wrote = ::send(fd_, text.data() + at, text.size() - at, MSG_NOSIGNAL);
                if (wrote > 0) {
                    at += std::size_t(wrote);
                } else if (wrote < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                    break;
                }
            }
            sent += std::size_t(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\r'));
            if (at < text.size()) {
                break;
            }
        }
        sent_ = sent;
        ::shutdown(fd_, SHUT_WR);
        done_ = true;
    }

    int fd_;
    bool connected_ = false;
    std::thread writer_;
    std::atomic<std::size_t> sent_{0};
    std::atomic<bool> done_{false};
};

// Counts in `received` every record `link` hands on, as its window takes them.
void CountRecords(links::PeerLink& link, std::size_t& received) {
    QObject::connect(
        &link, &links::PeerLink::RecordsReceived,
        [&received](const std::vector<links::Received>& records) { received += records.size(); });
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
        Engine().ScanTimer().SetInterval(0);
        Engine().ServiceTimer().SetInterval(0);
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
    void Scan() { Engine().ScanTimer().Fire(); }
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
    BoardWindows boards{Engine().InputQueue(),
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
        west.Engine().PostInput("W_SRC0", value);
        west.Scan();
        west.PeerLink().SendNow();
        const bool arrived = WaitFor([&] {
            const auto* posted = east.Engine().InputQueue().Find("E_IN0");
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
    CountRecords(east.PeerLink(), received);

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

// A peer linked to the east end's station writes records as fast as the link takes them
// (`kFullSpeedRecords`, at most `kFullSpeedBound`) while the east scan ticks every 50 ms on
// a desktop timer, as the program window ticks it. Counters: "slowest_tick_ms" the longest
// scan tick, "longest_gap_ms" the longest time from one tick's start to the next (50 when
// the scan keeps its tick), "peak_mb" the process's peak memory above what it held before
// the flood, "records_per_s" how fast the station took them. Timed: the whole flood.
void BM_SerialFloodAtFullSpeed(benchmark::State& state) {
    bench::CautiousPlatform platform;
    ModalDialogs dialogs;
    StationProgram east(StationSource(false), dialogs);
    east.Link(true);
    if (!WaitFor([&] { return east.PeerLink().IsServer(); })) {
        state.SkipWithError("the station did not listen");
        return;
    }
    std::size_t received = 0;
    CountRecords(east.PeerLink(), received);

    double slowestTick = 0;
    double longestGap = 0;
    double peak = 0;
    double rate = 0;
    for (auto _ : state) {
        FullSpeedPeer peer(east.PeerLink().ListeningPort());
        if (!peer.Connected() || !WaitFor([&] { return east.PeerLink().IsConnected(); })) {
            state.SkipWithError("the flood did not link");
            break;
        }
        received = 0;
        QCoreApplication::processEvents();
        const double idleKb = bench::StatusKb("VmRSS");
        const bool peakCounted = bench::ResetPeakMemory();

        Clock::time_point lastTick{};
        QTimer ticks;
        ticks.setTimerType(Qt::PreciseTimer);
        ticks.setInterval(kScanPeriodMs);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            const Clock::time_point start = Clock::now();
            if (lastTick != Clock::time_point{}) {
                longestGap = std::max(longestGap, Seconds(start - lastTick));
            }
            lastTick = start;
            east.Scan();
            slowestTick = std::max(slowestTick, Seconds(Clock::now() - start));
        });
        ticks.start();
        const Clock::time_point start = Clock::now();
        peer.Start();
        QElapsedTimer waited;
        waited.start();
        while (!(peer.Done() && received >= peer.Sent()) &&
               waited.elapsed() < 2 * 1000 * kFullSpeedBound.count()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const double taken = Seconds(Clock::now() - start);
        ticks.stop();
        state.SetIterationTime(taken);
        peak = std::max(
            peak, (peakCounted ? bench::StatusKb("VmHWM") : bench::StatusKb("VmRSS")) - idleKb);
        rate = double(received) / taken;
        if (!peer.Done() || received != peer.Sent()) {
            state.SkipWithError("the flood was not all taken");
            break;
        }
        WaitFor([&] { return !east.PeerLink().IsConnected(); });
    }
    state.counters["slowest_tick_ms"] = slowestTick * 1000;
    state.counters["longest_gap_ms"] = longestGap * 1000;
    state.counters["peak_mb"] = peak / 1024;
    state.counters["records_per_s"] = rate;
}
BENCHMARK(BM_SerialFloodAtFullSpeed)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
