#include "logic/statements.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "logic/boolean_bits.h"
#include "platform/runtime_error.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

TEST(Statements, AreKeyedByTheirFirstResultBitUnlessInANumericBlock) {
    FakePlatform platform;
    Statements statements;
    Statement* s1 = statements.Add("ASSIGN A TO S1HR, S1DR;");
    Statement* s2 = statements.Add("ASSIGN B TO S2HR;", "OWNKEY");

    EXPECT_EQ((std::vector<Statement*>{statements.Item("s1hr"), statements.Item("OWNKEY"),
                                       statements.Item("S2HR"), statements.Item("S1DR"),
                                       statements.Item(2)}),
              (std::vector<Statement*>{s1, s2, nullptr, nullptr, s2}));
    EXPECT_EQ(s1->Parent(), &statements);

    // A numeric block's statements go in without a key.
    Statements block;
    ASSERT_NE(block.Add("ASSIGN X=5 TO Y;", "", true), nullptr);
    ASSERT_NE(block.Add("ASSIGN X=6 TO Y;", "", true), nullptr);
    EXPECT_TRUE(block.Item(1)->IsNumeric());
    EXPECT_EQ(block.Item("Y"), nullptr);
}

TEST(Statements, ASecondStatementForTheSameResultIsRefusedAndTheFirstKept) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    Statements statements;
    statements.Add("ASSIGN A TO X;");

    EXPECT_EQ(statements.Add("ASSIGN B TO x;"), nullptr);

    EXPECT_EQ(statements.Count(), 1);
    EXPECT_EQ(statements.Item("X")->strStatement(), "A");
    EXPECT_EQ(platform.journal(),
              (std::vector<std::string>{"unload progress",
                                        "box: Error: This key is already associated with an "
                                        "element of this collection: End Program?"}));
}

TEST(Statements, ForwardOnlyTheResultOfTheStatementLastFetchedAndStillThere) {
    FakePlatform platform;
    BooleanBits bits;
    bits.Add("A", true);
    Statements statements;
    Statement& x = *statements.Add("ASSIGN A TO X;");
    Statement& y = *statements.Add("ASSIGN ~A TO Y;");
    x.SetBits(&bits);
    y.SetBits(&bits);
    std::vector<std::string> heard;
    Subscription s = statements.StatementChanged.Subscribe([&](std::string_view name, bool result) {
        heard.push_back(std::string(name) + (result ? " on" : " off"));
    });

    statements.Item("X")->Solve();
    y.Solve();
    statements.Item("Y")->Solve();
    statements.Find("X")->Solve();
    statements.Remove("Y");
    x.Solve();
    statements.Item("X")->Solve();

    EXPECT_EQ(heard, (std::vector<std::string>{"X on", "Y off", "X on"}));
}

TEST(Statements, FollowTheStatementOfAResultSlotThroughARenumberingUntilItLeaves) {
    FakePlatform platform;
    BooleanBits bits;
    bits.Add("A", true);
    Statements statements;
    Statement& x = *statements.Add("ASSIGN A TO X;");
    Statement& y = *statements.Add("ASSIGN ~A TO Y;");
    Statement& z = *statements.Add("ASSIGN A TO Z;");
    for (Statement* statement : {&x, &y, &z}) {
        statement->SetBits(&bits);
    }
    statements.NumberResultSlots();
    std::vector<std::string> heard;
    Subscription s = statements.StatementChanged.Subscribe([&](std::string_view name, bool result) {
        heard.push_back(std::string(name) + (result ? " on" : " off"));
    });

    statements.FollowSlot(z.Slot());
    x.Solve();
    z.Solve();
    // X leaves and the rest are numbered again: Z now holds what was Y's slot, and is
    // still the one followed.
    statements.Remove("X");
    statements.NumberResultSlots();
    y.Solve();
    z.Solve();
    statements.Item("Y");
    z.Solve();
    y.Solve();
    statements.FollowSlot(z.Slot());
    statements.Remove("Z");
    y.Solve();

    EXPECT_EQ(heard, (std::vector<std::string>{"Z on", "Z on", "Y off"}));
}

TEST(Statements, AnEditedFirstResultIsReKeyedInPlace) {
    FakePlatform platform;
    Statements statements;
    statements.Add("ASSIGN A TO X;");
    Statement& edited = *statements.Add("ASSIGN B TO Y;");
    Statement& own = *statements.Add("ASSIGN C TO Z;", "OWN");

    EXPECT_TRUE(edited.SetStrStatement("ASSIGN B TO W;"));
    own.ResetStatement();  // as the statements editor does
    EXPECT_TRUE(own.SetStrStatement("ASSIGN D TO Z;"));

    EXPECT_EQ((std::vector<Statement*>{statements.Item("W"), statements.Item("Y"),
                                       statements.Item(2), statements.Item("OWN")}),
              (std::vector<Statement*>{&edited, nullptr, &edited, &own}));
}

// The statements editor empties the statement before it sets the edited text.
TEST(Statements, AnEditOntoAnotherStatementsResultIsRefusedAndTheStatementComesBack) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::Ok);
    Statements statements;
    statements.Add("ASSIGN A TO X;");
    Statement& edited = *statements.Add("ASSIGN B*C TO Y, Z;");

    edited.ResetStatement();
    EXPECT_FALSE(edited.SetStrStatement("ASSIGN C TO X;"));

    EXPECT_EQ(AssignText(edited), "ASSIGN B*C TO Y, Z;");
    EXPECT_EQ(statements.Item("Y"), &edited);
    EXPECT_EQ(statements.Item("X")->strStatement(), "A");
    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].title, "Veldra");
}

TEST(Statements, AppendRefusesADuplicateAndLeavesTheStatementWithItsCaller) {
    FakePlatform platform;
    Statements statements;
    statements.Add("ASSIGN A TO X;");
    auto second = std::make_unique<Statement>();
    second->SetStrStatement("ASSIGN B TO X;");

    EXPECT_THROW(statements.Append(std::move(second)), RuntimeError);

    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->strStatement(), "B");
}

// Each program's scan re-reads its own statements only: a change in one collection leaves
// the other's epoch where it was.
TEST(Statements, KeepEachStatementsResultWithoutMovingTheirScanEpoch) {
    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    bits.Add("A", true);
    Statements statements;
    Statement* first = statements.Add("ASSIGN A TO OUT;");
    Statement* second = statements.Add("ASSIGN ~A TO OTHER;");
    first->SetBits(&bits);
    second->SetBits(&bits);
    statements.NumberResultSlots();
    const std::uint64_t before = statements.ScanEpoch();
    ASSERT_TRUE(first->Solve());
    ASSERT_TRUE(second->Solve());
    EXPECT_EQ(statements.ScanEpoch(), before);
    EXPECT_EQ((std::vector<int>{statements.ScanResults()[0], statements.ScanResults()[1]}),
              (std::vector<int>{1, 0}));
    // A result stored there is what the statement reads, and it goes with the statement.
    statements.ScanResults()[1] = 1;
    EXPECT_TRUE(second->Result());
    std::unique_ptr<Statement> alone = std::make_unique<Statement>();
    alone->SetStrStatement("ASSIGN A TO THIRD;");
    alone->SetBits(&bits);
    ASSERT_TRUE(alone->Solve());
    Statement& appended = statements.Append(std::move(alone));
    EXPECT_TRUE(appended.Result());
    statements.Remove("OUT");
    statements.NumberResultSlots();
    EXPECT_TRUE(second->Result());
    EXPECT_TRUE(appended.Result());
}

TEST(Statements, MoveTheirOwnScanEpochOnlyWhenOneOfTheirStatementsChanges) {
    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    bits.Add("A", true);
    Statements first;
    Statements second;
    Statement* statement = first.Add("ASSIGN A TO OUT;");
    Statement* other = second.Add("ASSIGN A TO OTHER;");
    statement->SetBits(&bits);
    const std::uint64_t secondBefore = second.ScanEpoch();

    struct Change {
        const char* what;
        std::function<void()> make;
    };
    Subscription watch;
    const std::vector<Change> changes = {
        {"an edit", [&] { statement->SetStrStatement("ASSIGN ~A TO OUT;"); }},
        {"disabled", [&] { statement->SetDisable(true); }},
        {"a listener",
         [&] { watch = statement->StatementChanged().Subscribe([](bool, std::string_view) {}); }},
    };
    for (const Change& change : changes) {
        const std::uint64_t before = first.ScanEpoch();
        change.make();
        EXPECT_GT(first.ScanEpoch(), before) << change.what;
    }
    EXPECT_EQ(second.ScanEpoch(), secondBefore);
    EXPECT_EQ(other->Parent(), &second);
}

}  // namespace
}  // namespace veldra
