// The simulator served over VNC as scripts/run.sh serves it where there is no display. A
// viewer may ask for the screen before it has said how its pixels are laid out (the
// protocol lets it: the server's own layout holds until then); the simulator stays up
// whatever a viewer does.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <set>

namespace veldra::testing {
namespace {

constexpr int kBoundMs = 20000;

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The run script's VNC path with the level crossing, in a process group of its own so that
// the simulator ends with the script; its settings in a folder of the test's own.
class ServedSimulator {
public:
    explicit ServedSimulator(quint16 port) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", folder_.path());
        environment.insert("XDG_RUNTIME_DIR", folder_.path());
        environment.insert("VELDRA_VNC_SIZE", "800x600");
        environment.remove("DISPLAY");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.setChildProcessModifier([] { setsid(); });
        process_.start("bash", {VELDRA_SCRIPTS "/vnc-display.sh", QString::number(port),
                                VELDRA_PROGRAM, VELDRA_EXAMPLES "/level_crossing.ml2"});
        process_.waitForStarted();
    }
    ~ServedSimulator() {
        if (process_.state() != QProcess::NotRunning) {
            kill(-pid_t(process_.processId()), SIGTERM);
            if (!process_.waitForFinished(10000)) {
                kill(-pid_t(process_.processId()), SIGKILL);
                process_.waitForFinished(5000);
            }
        }
    }
    // The script runs as long as the simulator does.
    bool Running() { return process_.state() == QProcess::Running && !process_.waitForFinished(0); }

private:
    QTemporaryDir folder_;
    QProcess process_;
};

// A VNC viewer that never sends its pixel format or its encodings: it takes the server's
// layout and plain pixels.
class Viewer {
public:
    bool Connect(quint16 port) {
        return QTest::qWaitFor(
            [&] {
                socket_.abort();
                socket_.connectToHost(QHostAddress::LocalHost, port);
                return socket_.waitForConnected(500);
            },
            kBoundMs);
    }
    // The server's version (3.3, 3.7 or 3.8), no security, a shared session; then the
    // server's screen size and layout.
    bool Greet() {
        const QByteArray version = Read(12);
        if (!version.startsWith("RFB 003.00")) {
            return false;
        }
        Write(version);
        if (version == "RFB 003.003\n") {
            if (Number(Read(4)) != 1) {  // the server chooses: no security
                return false;
            }
        } else {
            const QByteArray types = Read(Byte(Read(1)));
            if (!types.contains(char(1))) {
                return false;
            }
            Write(QByteArray(1, char(1)));
            if (version == "RFB 003.008\n" && Number(Read(4)) != 0) {
                return false;
            }
        }
        Write(QByteArray(1, char(1)));
        const QByteArray init = Read(24);
        if (init.size() != 24) {
            return false;
        }
        width_ = qFromBigEndian<quint16>(init.constData());
        height_ = qFromBigEndian<quint16>(init.constData() + 2);
        bytesPerPixel_ = Byte(init.mid(4, 1)) / 8;
        Read(Number(init.mid(20, 4)));  // the desktop's name
        return width_ > 0 && height_ > 0 && bytesPerPixel_ > 0;
    }
    // The number of colours on the whole screen, as one update brings it.
    int Colours() {
        QByteArray request(10, '\0');
        request[0] = 3;  // a full update of the whole screen
        qToBigEndian<quint16>(width_, request.data() + 6);
        qToBigEndian<quint16>(height_, request.data() + 8);
        Write(request);
        const QByteArray header = Read(4);
        if (header.size() != 4 || header[0] != 0) {
            return 0;
        }
        std::set<QByteArray> colours;
        for (int rectangle = qFromBigEndian<quint16>(header.constData() + 2); rectangle > 0;
             --rectangle) {
            const QByteArray place = Read(12);
            if (place.size() != 12 || Number(place.mid(8, 4)) != 0) {  // plain pixels only
                return 0;
            }
            const qint64 pixels = qint64(qFromBigEndian<quint16>(place.constData() + 4)) *
                                  qFromBigEndian<quint16>(place.constData() + 6);
            const QByteArray data = Read(pixels * bytesPerPixel_);
            for (qint64 at = 0; at + bytesPerPixel_ <= data.size(); at += bytesPerPixel_) {
                colours.insert(data.mid(at, bytesPerPixel_));
            }
        }
        return int(colours.size());
    }

private:
    static int Byte(const QByteArray& bytes) { return bytes.isEmpty() ? 0 : quint8(bytes[0]); }
    static qint64 Number(const QByteArray& bytes) {
        return bytes.size() == 4 ? qint64(qFromBigEndian<quint32>(bytes.constData())) : -1;
    }
    void Write(const QByteArray& bytes) {
        socket_.write(bytes);
        socket_.waitForBytesWritten(kBoundMs);
    }
    QByteArray Read(qint64 count) {
        QByteArray bytes;
        while (bytes.size() < count) {
            if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(kBoundMs)) {
                break;
            }
            bytes += socket_.read(count - bytes.size());
        }
        return bytes;
    }

    QTcpSocket socket_;
    int width_ = 0;
    int height_ = 0;
    int bytesPerPixel_ = 0;
};

TEST(ServedOverVnc, AViewerThatSendsNoPixelFormatSeesTheSimulatorWhichOutlivesIt) {
    const quint16 port = FreePort();
    ServedSimulator served(port);
    {
        Viewer first;
        ASSERT_TRUE(first.Connect(port));
        ASSERT_TRUE(first.Greet());
        // The simulator's windows come some time after the display: a black screen first.
        EXPECT_TRUE(QTest::qWaitFor([&] { return first.Colours() > 1; }, kBoundMs));
    }  // gone without a word

    Viewer second;
    ASSERT_TRUE(second.Connect(port));
    ASSERT_TRUE(second.Greet());
    EXPECT_GT(second.Colours(), 1);
    EXPECT_TRUE(served.Running());
}

}  // namespace
}  // namespace veldra::testing
