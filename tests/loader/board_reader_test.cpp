#include "loader/board_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <random>

#include "loader/board_loader_fixture.h"
#include "panels/ases_panel.h"
#include "panels/io_board_panel.h"
#include "panels/serial_port_panel.h"
#include "panels/track_panel.h"
#include "support/engine_driver.h"

namespace veldra::testing {
namespace {

class BoardReaderTest : public BoardLoaderTest {
protected:
    // A code received on a track board's first end, and one program scan.
    void Receive(TrackPanel& window, const char* code) {
        window.MyBoard()->TrackA()->InCode().Codes().Item(code)->SetCodeValue(true);
        EngineDriver(engine).QueueTrack(window.PendingBits());
        Tick();
    }
};
using Lines = std::vector<std::string>;

// A program of the given lines after a logic section of its own, so that the lines may
// end the source wherever they like.
std::string Program(const std::vector<std::string_view>& lines) {
    return "PROGRAM P;\r\nLOGIC BEGIN\r\nASSIGN LOADED TO DONE;\r\nEND LOGIC\r\n" + Source(lines);
}

// Names with "," between them.
std::string Joined(const Lines& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : ",") + names[i];
    }
    return text;
}

// --- One source per board kind, loaded, bound and run.

// The flags of a track board and of its two ends, in that order.
std::vector<bool> Flags(const TrackBoard& board) {
    return {board.Adjustable(),           board.Enabled(),
            board.TrackA()->Adjustable(), board.TrackA()->Enabled(),
            board.TrackB()->Adjustable(), board.TrackB()->Enabled()};
}

TEST_F(BoardReaderTest, ATrxTrackBoardFillsBothEndsAndReceivesItsCodes) {
    LoadBoardsFile("trx_track.ml2");
    ASSERT_EQ(WindowNames(), (Lines{"frmTrack"}));
    TrackPanel& window = WindowAt<TrackPanel>(0);
    EXPECT_EQ(Joined(Reported(window)),
              "T1A_C2,T1A_C3,TRK_1.WEST.LINKUP,TRK_1.WEST.TDIN,TRK_1.WEST.SLEEPIN,T1A_C7,"
              "TRK_1.WEST.TDOUT,TRK_1.WEST.SLEEPOUT,T1B_C2,TRK_1.EAST.LINKUP,TRK_1.EAST.TDIN,"
              "TRK_1.EAST.SLEEPIN,T1B_C7,T1B_C9,TRK_1.EAST.TDOUT,TRK_1.EAST.SLEEPOUT,"
              "TRK_1.WEST.ENABLED,TRK_1.EAST.ENABLED,TRK_1.ENABLED,TRK_1.EAST.NORMAL,"
              "TRK_1.WEST.NORMAL,T1_AADJ,T1_BADJ");
    // A code list makes its end adjustable; "FIXED" after the lists takes that back.
    EXPECT_EQ(Flags(*window.MyBoard()), (std::vector<bool>{true, true, true, true, false, true}));

    Start();
    Receive(window, "T1A_C2");
    EXPECT_TRUE(Value("T1B_C7"));
}

TEST_F(BoardReaderTest, AnEcodeTrackBoardEnablesItsEndsAndLeavesTheCodesToItsWindow) {
    LoadBoardsFile("ecode_track.ml2");
    TrackPanel& window = WindowAt<TrackPanel>(0);
    EXPECT_EQ(WindowOf("EC_1.DOWN.CODE.1.OUT"), &window);
    const std::vector<bool> flags = Flags(*window.MyBoard());
    EXPECT_EQ((std::vector<bool>{flags[2], flags[3], flags[5]}),
              (std::vector<bool>{true, true, false}));

    Start();
    Receive(window, "EC_1.UP.CODE.2.IN");
    EXPECT_TRUE(Value("EC_1.DOWN.CODE.2.OUT"));
}

// Read as written, the second station's name would rename the first and the second
// would copy it: one name, one ".ENABLED" bit, one window shown. A station may name its
// address first or its name first.
class SerialLinkLayout : public BoardReaderTest,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(SerialLinkLayout, EveryStationHasItsOwnWindowNameAndEnabledBitAndIsShown) {
    LoadBoardsFile(GetParam());
    EXPECT_TRUE(platform.boxes().empty());
    ASSERT_EQ(WindowNames(), (Lines{"frmSerialPort", "frmSerialPort"}));
    SerialPortPanel& wd = WindowAt<SerialPortPanel>(0);
    SerialPortPanel& ctc = WindowAt<SerialPortPanel>(1);
    EXPECT_TRUE(panels.Shown(wd));
    EXPECT_TRUE(panels.Shown(ctc));
    EXPECT_EQ(Reported(wd), (Lines{"WD_IN1", "WD_IN2", "WD_OUT1", "WD.ENABLED"}));
    EXPECT_EQ(Reported(ctc), (Lines{"CTC_IN1", "CTC_OUT1", "CTC_OUT2", "CTC.ENABLED"}));
    EXPECT_EQ(WindowOf("WD.ENABLED"), &wd);
    EXPECT_EQ(WindowOf("CTC.ENABLED"), &ctc);
    EXPECT_EQ((std::vector<int>{wd.MyBoard()->Peer(), wd.MyBoard()->Adjustable(),
                                wd.MyBoard()->Enabled(), ctc.MyBoard()->Adjustable(),
                                ctc.MyBoard()->Enabled(), wd.Address(), ctc.Address()}),
              (std::vector<int>{1, 1, 1, 0, 0, 1, 2}));

    Start();
    wd.ClickIn(0);
    Tick();
    EXPECT_TRUE(Value("WD_OUT1"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SerialLinkLayout,
                         ::testing::Values("serial_link.ml2", "serial_link_address_first.ml2"));

TEST_F(BoardReaderTest, ASourceWithEveryBoardKindLoadsBindsAndRuns) {
    LoadBoardsFile("every_board.ml2");
    EXPECT_TRUE(platform.boxes().empty());
    EXPECT_EQ(WindowNames(), (Lines{"frmIOBoard", "frmIOBoard", "frmInOutBoard", "frmLMP16",
                                    "frmTrack", "frmMXLamp", "frmASES", "frmSerialPort"}));
    for (const BoardPanel* window : Windows()) {
        EXPECT_TRUE(panels.Shown(*window)) << window->Name();
    }
    EXPECT_EQ(Bit("NOT_SIMULATED"), nullptr);

    Start();
    IOBoardPanel& inputs = WindowAt<IOBoardPanel>(0);
    inputs.Click(0);
    inputs.Click(2);
    engine.PostInput("S9_CALL", true);
    engine.PostInput("WANT_1", true);
    Tick();
    EXPECT_EQ((std::vector<bool>{Value("S1_HR"), Value("S1_R"), Value("S9_G"), Value("C2_HR")}),
              std::vector<bool>(4, true));
    EXPECT_EQ(WindowAt<IOBoardPanel>(1).Rows()[0].lamp, LampImage::Lit);  // S1_HR
}

// --- Sound behaviour where the source as written would lose or corrupt a board.

// Table: the lines of a source ("|" between them), the board types it reports unknown and
// the bits each window it makes reports ("," between bits, ";" between windows).
struct BoardCase {
    const char* lines;
    const char* unknown;
    const char* reported;
};

const char* const kNoType = "Sorry Unkown Board: Board Type Not Found\r\n";
void PrintTo(const BoardCase& c, std::ostream* os) {
    *os << c.lines;
}

class BoardSourceTest : public BoardLoaderTest, public ::testing::WithParamInterface<BoardCase> {};

TEST_P(BoardSourceTest, ReadsTheBoardsBits) {
    Lines boxes;
    if (*GetParam().unknown != 0) {
        platform.Answer(MsgAnswer::Ok);
        boxes.push_back(std::string(kNoType) + GetParam().unknown);
    }
    LoadBoards(Program({BarredSource(GetParam().lines)}));
    EXPECT_EQ(Boxes(), boxes);
    std::string reported;
    for (const BoardPanel* window : Windows()) {
        reported += (reported.empty() ? "" : ";") + Joined(Reported(*window));
    }
    EXPECT_EQ(reported, GetParam().reported);
}

const BoardCase kBoardCases[] = {
    // The last name of a line needs no comma; an input board ends with its input list.
    {"BOARD: B|TYPE: IN16|INPUT: A, B|C;", "", "A,B,C,B.ENABLED"},
    {"BOARD: B|TYPE: IN6|INPUT: A;|OUTPUT: X;", "", "A,B.ENABLED"},
    {"BOARD: B|TYPE: NV.OUT32|NV.OUTPUT: SPARE, X, SPARE;", "", "SPARE,X,SPARE,B.ENABLED"},
    // A lamp clause without its mode keeps the lamps; surplus lamp-out names go.
    {"BOARD: B|TYPE: LAMP16|FIXED 25 WATT|OUTPUT: A;|LAMP.OUT: ALO;", "", "A,ALO,B.ENABLED"},
    {"BOARD: B|TYPE: LED12|OUTPUT: A;|SIGNAL.GOOD: AGD, XGD;", "", "A,AGD,B.ENABLED"},
    {"BOARD: E|TYPE: ASES.ENCODER|CHANNEL2:|FIXED ENABLE:|1;|IF X;", "",
     "E.CHANNEL1ENABLE,E.CHANNEL2ENABLE,E.CHANNEL3ENABLE,E.CHANNEL4ENABLE,E.CHANNEL5ENABLE,"
     "E.ENABLED,X"},
    // Serial bits separated by blanks, the last at the line's end.
    {"LINK:|STATION.NAME: S|ADDRESS: 1|INPUT: A B|C;|OUTPUT: D;", "", "A,B,C,D,S.ENABLED"},
    // A board ended by a keyword keeps its lists; an open list does not reach the next.
    {"BOARD: L1|TYPE: LAMP16|OUTPUT: A, B;|BOOLEAN BITS X;|BOARD: L2|TYPE: LAMP16|"
     "OUTPUT: C;|LAMP.OUT: CLO;",
     "", "A,B,,,L1.ENABLED;C,CLO,L2.ENABLED"},
    {"BOARD: M1|TYPE: MIXIO|INPUT: A,|BOOLEAN BITS X;|BOARD: M2|TYPE: MIXIO|OUTPUT: B;|"
     "INPUT: C;",
     "", "A,M1.ENABLED;C,B,M2.ENABLED"},
    {"BOARD: H1|TYPE: COLOR.LIGHT|HEAD1|ASPECT: R, G;|LAMP.OUT: RLO;|END PROGRAM", "",
     "R,G,SPARE,RLO,,SPARE,SPARE,SPARE,SPARE,SPARE,SPARE,SPARE,,,H1.HEAD1.ENABLED,"
     "H1.HEAD2.ENABLED,H1.ENABLED,,"},
    // A header without a type word is reported, whatever ends it, and the next loads.
    {"BOARD: OUT_1|TYPE: OUT16|OUTPUT: A;|BOARD: NO_TYPE|ADJUSTABLE|BOARD: IN_1|TYPE: IN16|"
     "INPUT: B;",
     "NO_TYPE\r\n", "A,OUT_1.ENABLED;B,IN_1.ENABLED"},
    {"BOARD: NO_TYPE|BOOLEAN BITS X;", "NO_TYPE\r\n", ""},
    {"BOARD: LAST|ENABLE: 1", "LAST\r\n", ""},
    {"BOARD: B1|TYPE: IN16;", "B1\r\nIN16;", ""},              // a type word with a semicolon
    {"BOARD: S|TYPE: SCC|INPUT: A;|BOOLEAN BITS X;", "", ""},  // SCC: dropped, no word
};
INSTANTIATE_TEST_SUITE_P(Lists, BoardSourceTest, ::testing::ValuesIn(kBoardCases));

// --- Bad input.

TEST_F(BoardReaderTest, AnUnknownTypeIsReportedAndLoadingGoesOn) {
    platform.Answer(MsgAnswer::Ok);
    LoadBoards(Program({"BOARD: B1", "TYPE: IN99", "INPUT: A;", "BOARD: B2", "TYPE: IN16",
                        "INPUT: C;", "BOOLEAN BITS X;"}));
    ASSERT_EQ(platform.boxes().size(), 1u);
    const MsgBoxRequest& box = platform.boxes()[0];
    EXPECT_EQ(box.title + ": " + box.prompt,
              "Sorry Unkown Board: Board Type Not Found\r\nB1\r\nIN99");
    EXPECT_TRUE(box.icon == MsgIcon::Critical && box.buttons == MsgButtons::Ok);
    const Lines& journal = platform.journal();
    const auto shown =
        std::find(journal.begin(), journal.end(), "box: " + box.title + ": " + box.prompt);
    ASSERT_NE(shown, journal.begin());
    EXPECT_EQ(*(shown - 1), "unload progress");
    EXPECT_EQ(*(shown + 1), "status: Loading B1");
    ASSERT_EQ(WindowNames(), (Lines{"frmIOBoard"}));
    EXPECT_EQ(Reported(*Windows()[0]), (Lines{"C", "B2.ENABLED"}));
    EXPECT_NE(Bit("X"), nullptr);
    EXPECT_EQ(Bit("A"), nullptr);
}

// A board with a name given twice, or a value that is no value.
class BadBoardTest : public BoardLoaderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadBoardTest, GetsTheErrorQuestionAndLoadingGoesOn) {
    platform.Answer(MsgAnswer::No);
    LoadBoards(Program({BarredSource(GetParam()), "BOOLEAN BITS AFTER;"}));
    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].prompt, "End Program?");
    EXPECT_TRUE(platform.boxes()[0].title.starts_with("Error: ")) << platform.boxes()[0].title;
    EXPECT_FALSE(platform.ended());
    EXPECT_NE(Bit("AFTER"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Bad, BadBoardTest,
    ::testing::Values("BOARD: B|TYPE: IN16|INPUT: A, a;",
                      "BOARD: B|TYPE: LAMP16|OUTPUT: A, A;|LAMP.OUT: X;",
                      "BOARD: B|TYPE: LAMP16|FIXED 25 WATT|MODE X",
                      "BOARD: T|TYPE: TRX.TRACK|TRACKA:|INPUT: C1, C1;",
                      "BOARD: T|TYPE: TRX.TRACK|TRACKA:|ENABLE:|X;",
                      "BOARD: H|TYPE: COLOR.LIGHT|HEAD1|ASPECT: R, R;",
                      "BOARD: H|TYPE: COLOR.LIGHT|HEAD2|ASPECT: R;|LAMP.OUT: RLO, XLO;",
                      "BOARD: E|TYPE: ASES.ENCODER|CHANNEL1:|IF X,|IF X;",
                      "BOARD: E|TYPE: ASES.ENCODER|ADJUSTABLE ENABLE:|1;",
                      "LINK:|STATION.NAME: S|ADDRESS: 1|INPUT: A A;"));

// A control bit before any channel would be bound and yet make no channel send.
TEST_F(BoardReaderTest, AnEncoderControlBitBeforeAnyChannelIsReportedWithItsLine) {
    platform.Answer(MsgAnswer::No);
    LoadBoards(Program({"BOARD: E", "TYPE: ASES.ENCODER", "IF EARLY;", "CHANNEL2:", "IF LATE;"}));
    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].title,
              "Error: The encoder's EARLY stands before any CHANNEL1 to CHANNEL5 (line 7)");
    EXPECT_EQ(WindowOf("EARLY"), nullptr);
    const ControlBits& bits = WindowAt<ASESPanel>(0).MyBoard()->ControlBit().ControlBits();
    ASSERT_EQ(bits.Count(), 1);
    EXPECT_EQ(bits.Item("LATE")->Channel, 2);
}

// Bad input never crashes or hangs: every section, boards included, mangled at random; what
// loads is bound by the program window as any load is.
TEST_F(BoardReaderTest, MangledSourcesNeverCrashOrHang) {
    std::mt19937 random(20261207);
    const std::string marks = "\r\n;:,=/*%\\ ?\t";
    for (const char* file : {"every_section.ml2", "every_board.ml2"}) {
        std::ifstream in(DataFile(file), std::ios::binary);
        const std::string source((std::istreambuf_iterator<char>(in)), {});
        for (int round = 0; round < 200; ++round) {
            // Cut short at random and changed in up to eight places: a character replaced by
            // one of `marks`, a few characters dropped, or a piece of the source put in.
            std::string text = source.substr(0, random() % (source.size() + 1));
            for (int change = 0; change < 8 && !text.empty(); ++change) {
                const std::size_t at = random() % text.size();
                switch (random() % 3) {
                    case 0:
                        text[at] = marks[random() % marks.size()];
                        break;
                    case 1:
                        text.erase(at, random() % 20);
                        break;
                    default:
                        text.insert(at, source.substr(random() % source.size(), random() % 40));
                }
            }
            ClickingThrough clicking;
            FakeProgramWindow mangledWindow;
            ProgramEngine mangled{mangledWindow, clock};
            PanelSet mangledPanels{mangled.InputQueue()};
            FakeLoaderHost mangledHost;
            mangledHost.onLoadFinished = [&] { mangled.LoadFinished(mangledPanels.Windows()); };
            ParseText(mangled, mangledHost, mangledPanels).GetProgramFromText(text);
            // Either the load finished, or it failed the way a load fails.
            EXPECT_TRUE(
                (!mangledHost.journal.empty() && mangledHost.journal.back() == "load finished") ||
                clicking.ended)
                << text;
        }
    }
}

}  // namespace
}  // namespace veldra::testing
