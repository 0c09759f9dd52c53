#include "loader/timer_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using TimerReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

struct Delays {
    std::int32_t on;
    std::int32_t off;
    bool operator==(const Delays&) const = default;
};

void PrintTo(const Delays& d, std::ostream* out) {
    *out << "SET " << d.on << " ms, CLEAR " << d.off << " ms";
}

class TimerDelays : public TimerReaderTest,
                    public ::testing::WithParamInterface<std::tuple<const char*, Delays>> {};

TEST_P(TimerDelays, AreReadInWholeMilliseconds) {
    const auto& [lines, expected] = GetParam();
    Load("PROGRAM P;\r\nTIMER BITS\r\n" + std::string(lines) + "\r\nEND PROGRAM\r\n");
    ASSERT_NE(Bit("T1"), nullptr) << lines;
    EXPECT_EQ((Delays{Bit("T1")->OnTime(), Bit("T1")->OffTime()}), expected) << lines;
}

INSTANTIATE_TEST_SUITE_P(
    Clauses, TimerDelays,
    ::testing::Values(std::tuple{"T1 : SET = 5 : SEC,\r\nCLEAR = 0 : MSEC;", Delays{5000, 0}},
                      std::tuple{"T1 : SET = 2 : MIN,\r\nCLEAR = 500 : MSEC;", Delays{120000, 500}},
                      std::tuple{"T1 : SET = 5 : SEC, CLEAR = 3 : SEC;", Delays{5000, 3000}},
                      std::tuple{"T1 : SET = 0.5 : SEC, CLEAR = 0.25 : MIN;", Delays{500, 15000}},
                      std::tuple{"T1 :\r\nSET = 7 : MSEC,\r\nCLEAR = 8 : MSEC;", Delays{7, 8}},
                      std::tuple{"T1 : 5 : SEC, 6 : SEC;", Delays{5000, 6000}},
                      std::tuple{"T1 : FIXED SET = 1 : SEC, ADJUSTABLE CLEAR = 2 : SEC;",
                                 Delays{1000, 2000}},
                      std::tuple{"T1 : SET = 4 : SECONDS;", Delays{4000, 0}},
                      std::tuple{"T1 : CLEAR = 4 : SEC;", Delays{0, 4000}},
                      std::tuple{"T1 : SET = 2.5 : MSEC, CLEAR = 3.5 : MSEC;", Delays{2, 4}}));

TEST_F(TimerReaderTest, EveryNameOfAGroupGetsTheGroupsDelays) {
    LoadFile("timer_bits.ml2");
    EXPECT_EQ(BitNames(), (Lines{"T1", "T2", "T3"}));
    for (const char* name : {"T1", "T2"}) {
        EXPECT_EQ(Bit(name)->OnTime(), 120000) << name;
        EXPECT_EQ(Bit(name)->OffTime(), 500) << name;
    }
    EXPECT_EQ(Bit("T3")->OnTime(), 500);
    EXPECT_EQ(Bit("T3")->OffTime(), 1000);
    EXPECT_TRUE(Bit("T3")->IsFormBit());  // undeclared, it is taken for a board's bit
    EXPECT_FALSE(Bit("T3")->BitValue());
}

TEST_F(TimerReaderTest, ADeclaredBitKeepsItsPlaceAndGetsItsDelays) {
    Load(Source({"PROGRAM P;", "BOOLEAN BITS A, T1;", "TIMER BITS",
                 "T1 : SET = 1 : SEC, CLEAR = 2 : SEC;"}));
    EXPECT_EQ(BitNames(), (Lines{"A", "T1"}));
    EXPECT_EQ(Bit("T1")->OnTime(), 1000);
    EXPECT_TRUE(Bit("T1")->IsTimer());
}

// A group broken off by another section goes on in the next "TIMER BITS" section; one that
// the source leaves open keeps the delays it has. No clause word ever becomes a bit.
// The source ("|" between lines), the bits it declares ("," between them), and the
// delays of every one but A.
struct BrokenGroup {
    const char* lines;
    const char* bits;
    Delays delays;
};
void PrintTo(const BrokenGroup& c, std::ostream* out) {
    *out << c.lines;
}

class BrokenTimerGroup : public TimerReaderTest,
                         public ::testing::WithParamInterface<BrokenGroup> {};

TEST_P(BrokenTimerGroup, IsFinishedWithItsOwnNamesAndDelays) {
    Load(BarredSource("PROGRAM P;|TIMER BITS|" + std::string(GetParam().lines)));
    EXPECT_TRUE(platform.boxes().empty());
    std::string bits;
    for (const std::string& name : BitNames()) {
        bits += (bits.empty() ? "" : ",") + name;
        if (name != "A") {
            EXPECT_EQ((Delays{Bit(name)->OnTime(), Bit(name)->OffTime()}), GetParam().delays)
                << name;
        }
    }
    EXPECT_EQ(bits, GetParam().bits);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, BrokenTimerGroup,
    ::testing::Values(
        BrokenGroup{"T1, T2 : SET = 3 : SEC,|BOOLEAN BITS A;|TIMER BITS|CLEAR = 2 : SEC;",
                    "A,T1,T2",
                    {3000, 2000}},
        BrokenGroup{"T1 :|BOOLEAN BITS A;|TIMER BITS|SET = 1 : SEC, CLEAR = 2 : SEC;",
                    "A,T1",
                    {1000, 2000}},
        BrokenGroup{"T1 : SET = 3 : SEC,", "T1", {3000, 0}},  // at the end of the source
        BrokenGroup{"RESET1, CLEARANCE :|BOOLEAN BITS A;|TIMER BITS|SET = 1 : SEC,|"
                    "CLEAR = 2 : SEC;",
                    "A,RESET1,CLEARANCE",
                    {1000, 2000}}));

// A clause the reader cannot take is reported with its line.
class BadTimerClause : public TimerReaderTest,
                       public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(BadTimerClause, IsReportedWithItsLine) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "TIMER BITS", GetParam().first}));
    EXPECT_EQ(Boxes(),
              (Lines{"Error: " + std::string(GetParam().second) + " (line 3): End Program?"}));
}

INSTANTIATE_TEST_SUITE_P(Clauses, BadTimerClause,
                         ::testing::Values(std::pair{"T1 : SET = FIVE : SEC,",
                                                     "Type mismatch: \"FIVE\" is not a number"},
                                           std::pair{
                                               "T1 : SET = 5 : HOURS;",
                                               "The timer unit HOURS is not MSEC, SEC or MIN"},
                                           std::pair{"T1 : SET = 40000 : MIN;", "Overflow"}));

}  // namespace
}  // namespace veldra::testing
