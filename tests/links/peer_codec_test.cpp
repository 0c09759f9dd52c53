#include "links/peer_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldra::links {
namespace {

const std::vector<std::string> kEndOut{"T.A.CODE.TDOUT", "T.A.CODE.X", "T.A.CODE.Y",
                                       "T.A.CODE.SLEEPOUT"};

struct OutCase {
    TrackWire wire;
    std::string name;
    std::string code;
};

class OutCodeWire : public ::testing::TestWithParam<OutCase> {};

TEST_P(OutCodeWire, SendsTheCodeThePeerExpects) {
    EXPECT_EQ(WireCode(GetParam().wire, kEndOut, GetParam().name), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Table, OutCodeWire,
                         ::testing::Values(OutCase{TrackWire::Trx, "T.A.CODE.TDOUT", "B"},
                                           OutCase{TrackWire::Trx, "T.A.CODE.SLEEPOUT", "C"},
                                           OutCase{TrackWire::Trx, "TDOUT.SLEEPOUT", "B"},
                                           OutCase{TrackWire::Trx, "T.A.CODE.X", "E"},
                                           OutCase{TrackWire::Trx, "T.A.CODE.Y", "F"},
                                           OutCase{TrackWire::Trx, "T.A.CODE.NONE", ""},
                                           OutCase{TrackWire::Ecode, "E.A.CODE.1.2.", "1"},
                                           OutCase{TrackWire::Ecode, "E.A.CODE.M.", "M"},
                                           OutCase{TrackWire::Ecode, "E.A.CODE.X", ""},
                                           // a track named by a digit names no rate
                                           OutCase{TrackWire::Ecode, "EC_1.3.CODE.5.OUT", "5"},
                                           OutCase{TrackWire::Other, "T.A.CODE.TDOUT", ""}));

TEST(Records, AreWrittenAsTheWireFormatGivesThem) {
    EXPECT_EQ(DataRecord("D", true), "D,True\r");
    EXPECT_EQ(DataRecord("", false), ",False\r");
    EXPECT_EQ(RequestRecord(), "Z\r");
}

struct InCase {
    TrackWire wire;
    std::string code;
    int inCodes;
    std::optional<int> position;
};

class InCodeOfWire : public ::testing::TestWithParam<InCase> {};

TEST_P(InCodeOfWire, SelectsTheReceivingEndsInCode) {
    const auto& c = GetParam();
    EXPECT_EQ(InCodePosition(c.wire, c.code, c.inCodes), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InCodeOfWire,
    ::testing::Values(InCase{TrackWire::Trx, "B", 8, 7}, InCase{TrackWire::Trx, "C", 8, 8},
                      InCase{TrackWire::Trx, "D", 8, 1}, InCase{TrackWire::Trx, "K", 8, 8},
                      InCase{TrackWire::Trx, "L", 8, std::nullopt},  // beyond the end
                      InCase{TrackWire::Trx, "B", 1, std::nullopt},
                      InCase{TrackWire::Trx, "", 8, std::nullopt},
                      InCase{TrackWire::Trx, "\nE", 8, std::nullopt},
                      InCase{TrackWire::Ecode, "1", 10, 1}, InCase{TrackWire::Ecode, "M", 10, 10},
                      InCase{TrackWire::Ecode, "0", 10, std::nullopt},
                      InCase{TrackWire::Ecode, "10", 10, std::nullopt},
                      InCase{TrackWire::Ecode, "9", 5, std::nullopt}));

TEST(Values, OnlyTrueAndFalseInAnyCase) {
    EXPECT_EQ(ParseValue("true"), true);
    EXPECT_EQ(ParseValue("FALSE"), false);
    EXPECT_EQ(ParseValue("1"), std::nullopt);
    EXPECT_EQ(ParseValue("TRUE\n"), std::nullopt);
    EXPECT_EQ(ParseIndex("12"), 12);
    EXPECT_EQ(ParseIndex("0"), std::nullopt);
    EXPECT_EQ(ParseIndex("-3"), std::nullopt);
    EXPECT_EQ(ParseIndex("99999999999"), std::nullopt);
}

TEST(SerialRecords, AChangeSendsFalseFirstARequestInIndexOrder) {
    const std::vector<bool> bits{true, false, true};
    EXPECT_EQ(SerialRecords(bits, true), "2,False\r1,True\r3,True\r");
    EXPECT_EQ(SerialRecords(bits, false), "1,True\r2,False\r3,True\r");
}

TEST(RecordReader, KeepsARecordSplitAtEveryByteUntilItsCarriageReturn) {
    RecordReader reader;
    const std::string wire = "d,true\rZ\r3,False\r";
    std::vector<Received> got;
    for (char c : wire) {
        for (auto& r : reader.Feed(std::string(1, c)))
            got.push_back(r);
    }
    EXPECT_EQ(got, (std::vector<Received>{Data{"D", "TRUE"}, Request{}, Data{"3", "FALSE"}}));
}

TEST(RecordReader, HandlesARequestAndDataInOneReadInOrder) {
    RecordReader reader;
    EXPECT_EQ(reader.Feed("E,True\rZ\rjunk\r"),
              (std::vector<Received>{Data{"E", "TRUE"}, Request{}, Garbled{"JUNK"}}));
}

TEST(RecordReader, DropsATailWithoutCarriageReturnAndRecovers) {
    RecordReader reader(64);
    EXPECT_TRUE(reader.Feed(std::string(10 * 1024, 'x')).empty());
    EXPECT_GT(reader.TakeDropped(), 10u * 1024 - 64);
    EXPECT_EQ(reader.Feed("more\rD,True\r"), (std::vector<Received>{Data{"D", "TRUE"}}));
}

}  // namespace
}  // namespace veldra::links
