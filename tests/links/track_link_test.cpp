#include "links/track_link.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "panels/panel_fixture.h"
#include "panels/track_panel.h"

namespace veldra::testing {
namespace {

using links::Data;
using links::Garbled;
using links::Received;
using links::Request;

constexpr TrackSide A = TrackSide::A;

class TrackLinkTest : public PanelTest {
protected:
    void Load(const char* type, std::vector<const char*> in, std::vector<const char*> out) {
        panel.SetMyBoard(std::make_unique<TrackBoard>());
        panel.MyBoard()->SetBoardName("T1");
        panel.MyBoard()->SetBoardType(type);
        for (const char* code : in)
            endA().InCode().Codes().Add(code, false, &panel);
        for (const char* code : out)
            endA().OutCode().Codes().Add(code, false);
    }
    TrackA& endA() { return *panel.MyBoard()->TrackA(); }
    bool Received(int position) { return endA().InCode().Codes().Item(position)->RecievedTwice(); }
    bool Apply(const std::vector<links::Received>& records) {
        return link.Receive(A, records, [this](const std::string& line) { log.push_back(line); });
    }

    TrackPanel panel{IOBits};
    links::TrackLink link{panel};
    std::vector<std::string> log;
};

TEST_F(TrackLinkTest, TrxOutCodesGoOutByPositionWithTdoutAsB) {
    Load("TRX.TRACK", {}, {"T1.A.CODE.TDOUT", "T1.A.CODE.X"});
    endA().OutCode().Codes().Item("T1.A.CODE.TDOUT")->CodeValue = true;
    EXPECT_EQ(link.OutRecords(A), "B,True\rE,False\r");
}

// The peer could only refuse them: a TRX code past the twentieth position, an ECODE code
// that names no rate.
TEST_F(TrackLinkTest, OutCodesWithoutAWireCodeAreNotSent) {
    std::vector<std::string> names;
    for (int i = 1; i <= 21; ++i)
        names.push_back("T1.A.CODE.X" + std::to_string(i));
    std::vector<const char*> out;
    for (const std::string& name : names)
        out.push_back(name.c_str());
    Load("TRX.TRACK", {}, out);
    const std::string records = link.OutRecords(A);
    EXPECT_TRUE(records.starts_with("D,False\r"));
    EXPECT_TRUE(records.ends_with("W,False\r"));
    EXPECT_EQ(std::count(records.begin(), records.end(), '\r'), 20);

    Load("ECODE.TRACK", {}, {"T1.A.CODE.X", "T1.A.CODE.1.2.OUT", "T1.A.CODE.M.OUT"});
    EXPECT_EQ(link.OutRecords(A), "1,False\rM,False\r");
}

TEST_F(TrackLinkTest, ReceivedCodesSetTheEndsInCodesAndStartItsCodeDelay) {
    Load("TRX.TRACK", {"C1", "C2", "C3", "C4"}, {});
    EXPECT_FALSE(Apply({Data{"D", "TRUE"}, Data{"B", "TRUE"}, Data{"E", "FALSE"}}));
    EXPECT_TRUE(Received(1));
    EXPECT_TRUE(Received(3));  // "B": the second-to-last of this end's four
    EXPECT_EQ(panel.End(A).received, "D, B");
    EXPECT_TRUE(panel.tmrLinkA.Enabled());
    EXPECT_TRUE(log.empty());
}

// What an end shows as received is every code it holds once the records are applied,
// however the peer's state was split between reads.
TEST_F(TrackLinkTest, TheCaptionListsTheCodesHeldAfterEachRead) {
    Load("TRX.TRACK", {"C1", "C2", "C3", "C4"}, {});
    Apply({Data{"D", "TRUE"}, Data{"E", "TRUE"}});
    Apply({Data{"E", "FALSE"}, Data{"F", "FALSE"}});  // the tail of the peer's next state
    EXPECT_EQ(panel.End(A).received, "D");

    Load("ECODE.TRACK", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, {});
    Apply({Data{"1", "TRUE"}, Data{"3", "TRUE"}, Data{"M", "TRUE"}, Data{"3", "FALSE"}});
    EXPECT_EQ(panel.End(A).received, "1, M");
    EXPECT_FALSE(Received(3));
    Apply({Data{"1", "FALSE"}, Data{"M", "FALSE"}});  // the peer sends nothing any more
    EXPECT_EQ(panel.End(A).received, "");
}

TEST_F(TrackLinkTest, BadRecordsAreLoggedAndDroppedOneByOne) {
    Load("TRX.TRACK", {"C1", "C2"}, {});
    EXPECT_TRUE(Apply({Data{"X", "TRUE"}, Data{"D", "MAYBE"}, Garbled{"\x01\x02"}, Request{},
                       Data{"E", "TRUE"}}));
    EXPECT_EQ(log.size(), 3u);
    EXPECT_TRUE(Received(2));
}

TEST_F(TrackLinkTest, AShuntedEndAnswersRequestsButTakesNoCodes) {
    Load("TRX.TRACK", {"C1", "C2"}, {});
    panel.SetShunt(A, true);
    EXPECT_TRUE(Apply({Data{"D", "TRUE"}, Request{}}));
    EXPECT_FALSE(Received(1));
    EXPECT_FALSE(panel.tmrLinkA.Enabled());
}

}  // namespace
}  // namespace veldra::testing
