#include "shell/state_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/file_replacement.h"
#include "platform/memory_room.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"
#include "shell/state_load.h"
#include "support/controller.h"
#include "support/engine_driver.h"
#include "support/fake_platform.h"

namespace veldra::testing {
namespace {

constexpr const char* kSmall = R"(PROGRAM SMALL;
BOOLEAN BITS
    PB_1, ROUTE_1, FAST;
NUMERIC VARIABLES
    SPEED;
TIMER BITS
    SLOW_1 : SET = 2 : SEC, CLEAR = 500 : MSEC;
LOGIC BEGIN
    ASSIGN PB_1 TO ROUTE_1;
    ASSIGN ROUTE_1 TO SLOW_1;
END LOGIC
END PROGRAM
)";

std::string Element(const std::string& name, const char* body) {
    return "<b_" + name + ">" + body + "</b_" + name + ">";
}

std::string StateOf(const std::string& elements) {
    return "<Save_State_Values>" + elements + "</Save_State_Values>";
}

TEST(StateFile, IsWrittenByteForByteOnOneLineWithoutADeclaration) {
    FakePlatform platform;
    BooleanBits bits;
    bits.Add("1", true);
    BooleanBit* slow = bits.Add("SLOW_1", false, true, 2000, 500);
    slow->SetFilter(true), slow->SetIsWatch(true), slow->SetIsNumeric(true);
    slow->SetNumValue(-7, true);

    EXPECT_EQ(StateFileText(bits),
              "<Save_State_Values><b_1><BitValue>True</BitValue><Filter>False</Filter>"
              "<IsWatch>False</IsWatch><OnTime>0</OnTime><OffTime>0</OffTime>"
              "<IsNumeric>False</IsNumeric><NumValue>0</NumValue></b_1><b_SLOW_1>"
              "<BitValue>False</BitValue><Filter>True</Filter><IsWatch>True</IsWatch>"
              "<OnTime>2000</OnTime><OffTime>500</OffTime><IsNumeric>True</IsNumeric>"
              "<NumValue>-7</NumValue></b_SLOW_1></Save_State_Values>");
    bits.Add("NO ROOM", false);
    EXPECT_THROW(StateFileText(bits), RuntimeError);
}

// A state program as loaded, with its copies read and put back.
class StateLoadTest : public ::testing::Test {
protected:
    void Load(const std::string& text) {
        ProgramHostScope active{program.engine};
        StateLoadHost host;
        ApplyState(program.engine,
                   ReadStateFile(text, *program.engine.PrgBooleanBits(),
                                 [this](const std::string& name) { notFound.push_back(name); }),
                   host);
    }

    FakePlatform platform;
    Controller program{SourceText{kSmall}};
    std::vector<std::string> notFound;
};

TEST_F(StateLoadTest, DropsPendingClicksAndStartsTheDelayOfADisagreeingTimedResult) {
    program.Set("PB_1", false);
    Load(StateOf(Element("PB_1", "<BitValue>True</BitValue>") +
                 Element("ROUTE_1", "<BitValue>true</BitValue>") + Element("NOT_HERE", "")));

    EXPECT_EQ(EngineDriver(program.engine).PendingCount(), 0);
    EXPECT_EQ((std::vector<bool>{program.AreUp({"PB_1", "ROUTE_1"}), program.AreDown({"SLOW_1"}),
                                 program.Timing("SLOW_1"),
                                 EngineDriver(program.engine).TrackUpdatePending()}),
              std::vector<bool>(4, true));
    EXPECT_EQ(notFound, std::vector<std::string>{"b_NOT_HERE"});
}

// A run stopped in the middle of a tick leaves the delays that tick asked for. A state
// loaded then says what the bits are: no delay of the stopped run may raise a bit the
// loaded bits hold down.
TEST_F(StateLoadTest, StartsNoDelayAStoppedTickAskedFor) {
    // Solved after SLOW_1's statement, a statement that cannot be solved stops the run
    // before the tick's end starts the on-delay SLOW_1's rise asked for.
    program.engine.prgAssigns->Add("ASSIGN (ROUTE_1 TO FAULT;");
    program.engine.MapBits();
    platform.Answer(MsgAnswer::Yes);  // "SET CPS.STATUS?"
    program.Start();
    program.Change("PB_1", true);
    ASSERT_FALSE(program.engine.Running());
    ASSERT_FALSE(program.Timing("SLOW_1"));

    Load(StateOf(Element("PB_1", "<BitValue>False</BitValue>") +
                 Element("ROUTE_1", "<BitValue>False</BitValue>") +
                 Element("SLOW_1", "<BitValue>True</BitValue>")));
    program.engine.StartStop();
    program.Scan();

    EXPECT_FALSE(EngineDriver(program.engine).TimingTo("SLOW_1"));
    EXPECT_TRUE(program.AreDown({"PB_1", "ROUTE_1", "SLOW_1"}));
}

struct ReadCase {
    const char* name;
    std::string text;
    // What the copy of PB_1 (SPEED for numbers, SLOW_1 for delays) holds; empty: refused.
    std::string expected;
};

class StateReadTest : public StateLoadTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(StateReadTest, ReadsWhatItCanAndRefusesTheRestBeforeAnythingChanges) {
    const std::string before = StateFileText(*program.engine.PrgBooleanBits());
    if (GetParam().expected.empty()) {
        EXPECT_THROW(Load(GetParam().text), RuntimeError);
        EXPECT_EQ(StateFileText(*program.engine.PrgBooleanBits()), before);
        return;
    }
    const auto copies =
        ReadStateFile(GetParam().text, *program.engine.PrgBooleanBits(), [](auto&) {});
    ASSERT_EQ(copies.size(), 1u);
    const BitStateCopy& c = copies[0];
    EXPECT_EQ(
        c.bit->BitName() + (c.BitValue ? " on" : " off") + (c.IsNumeric ? " #" : "") +
            (c.IsNumeric ? std::to_string(c.NumValue) : "") +
            (c.OffTime ? " " + std::to_string(c.OnTime) + "/" + std::to_string(c.OffTime) : ""),
        GetParam().expected);
}

// The state file of one bit's element.
std::string One(const char* bit, const char* values) {
    return StateOf(Element(bit, values));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, StateReadTest, ::testing::Values(
    ReadCase{"Declaration", "<?xml version=\"1.0\"?><!-- x -->\n" +
        StateOf("\n " + Element("pb_1", "\n <BitValue> -1 </BitValue>")), "PB_1 on"},
    ReadCase{"Repeated", StateOf(Element("PB_1", "<BitValue>1</BitValue>") +
        Element("PB_1", "<Filter>0</Filter>")), "PB_1 off"},
    ReadCase{"NumberFirst", One("SPEED", "<NumValue>5</NumValue><IsNumeric>True</IsNumeric>"),
        "SPEED off #0"},
    ReadCase{"Number", One("SPEED", "<IsNumeric>TRUE</IsNumeric><NumValue>-32768</NumValue>"),
        "SPEED off #-32768"},
    ReadCase{"DelayOfNoTimer", One("PB_1", "<OffTime>5000</OffTime>"), "PB_1 off"},
    ReadCase{"Delay", One("SLOW_1", "<OffTime>9</OffTime>"), "SLOW_1 off 0/9"},
    ReadCase{"Malformed", One("PB_1", "<BitValue>True</Bit>"), ""},
    ReadCase{"Truncated", One("PB_1", "").substr(0, 30), ""},
    ReadCase{"Foreign", "<html><b_PB_1/></html>", ""},
    ReadCase{"NotABoolean", One("PB_1", "<BitValue>Yes</BitValue>"), ""},
    ReadCase{"NumberTooLarge", One("SPEED", "<IsNumeric>1</IsNumeric><NumValue>32768</NumValue>"), ""},
    ReadCase{"DelayTooLarge", One("SLOW_1", "<OnTime>2147483648</OnTime>"), ""},
    ReadCase{"ShortName", StateOf("<b><BitValue>True</BitValue></b>"), ""},
    ReadCase{"ShortInOtherLetters", StateOf("<\xc3\x80/>" + Element("PB_1", "<BitValue>1</BitValue>")),
        "PB_1 on"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A state file broken by hand is named with the line it breaks on, as an editor counts it,
// whether the text is no XML or a value is no value.
TEST_F(StateLoadTest, AStateFileThatCannotBeReadIsNamedWithItsLine) {
    const std::filesystem::path file = ::testing::TempDir() + "/broken.sst";
    const auto refusal = [&](const std::string& text) {
        ReplaceFile(file, text);
        try {
            ReadStateFileAt(file, *program.engine.PrgBooleanBits(), [](auto&) {});
        } catch (const RuntimeError& error) {
            return std::string(error.what());
        }
        return std::string("read");
    };
    EXPECT_EQ(refusal("<Save_State_Values>\r\n<b_PB_1>\r\n<BitValue>True</Bit>\r\n"),
              "The file is not a well-formed state file: mismatched tag (line 3 of " +
                  file.string() + ")");
    EXPECT_EQ(refusal("<Save_State_Values>\n<b_PB_1>\n\n<BitValue>Yes</BitValue>\n</b_PB_1>\n"
                      "</Save_State_Values>\n"),
              "\"Yes\" is not a value of BitValue (line 4 of " + file.string() + ")");
}

// A state of tens of thousands of bits, written a piece at a time beside its file as "Save
// State" writes it, read back a piece at a time from the file as "Load State" reads it:
// the pieces meet in the middle of names and values, and change nothing of what is read.
TEST(StateFile, WrittenAndReadInPiecesIsTheWholeFile) {
    FakePlatform platform;
    BooleanBits bits;
    for (int i = 0; i < 30000; ++i) {
        BooleanBit* bit = bits.Add("ROUTE_" + std::to_string(i), i % 3 == 0, i % 5 == 0, i, 7);
        bit->SetIsNumeric(i % 7 == 0);
        bit->SetNumValue(std::int16_t(i % 1000 - 500), true);
    }
    const std::filesystem::path file = ::testing::TempDir() + "/pieces.sst";
    {
        BesideFile beside(file);
        int pieces = 0;
        WriteStateFile(bits, [&](std::string_view piece) {
            ++pieces;
            beside.Write(piece);
        });
        beside.Commit();
        EXPECT_GT(pieces, 2);
    }
    const std::string whole = StateFileText(bits);
    ASSERT_GT(whole.size(), std::size_t(3) << 20);
    EXPECT_EQ(ReadWholeFile(file), whole);

    const auto described = [](const std::vector<BitStateCopy>& copies) {
        std::string text;
        for (const BitStateCopy& c : copies) {
            text += c.bit->BitName() + (c.BitValue ? "+" : "-") + std::to_string(c.OnTime) + "/" +
                    std::to_string(c.OffTime) + (c.IsNumeric ? "#" : "") +
                    std::to_string(c.NumValue) + ";";
        }
        return text;
    };
    const auto none = [](const std::string&) { FAIL(); };
    const std::vector<BitStateCopy> fromFile = ReadStateFileAt(file, bits, none);
    ASSERT_EQ(fromFile.size(), std::size_t(bits.Count()));
    EXPECT_EQ(described(fromFile), described(ReadStateFile(whole, bits, none)));
    int unlike = 0;
    for (const BitStateCopy& c : fromFile) {
        const BooleanBit& bit = *c.bit;
        unlike += c.BitValue != bit.BitValue() || c.IsNumeric != bit.IsNumeric() ||
                  (c.IsNumeric && c.NumValue != bit.NumValue()) ||
                  (bit.IsTimer() && (c.OnTime != bit.OnTime() || c.OffTime != bit.OffTime()));
    }
    EXPECT_EQ(unlike, 0);
}

// What a state load takes grows with the file (the parser keeps each name it meets) and with
// the program's bits, of which a file can name each once in a copy, however often it names it.
TEST(StateFile, ItsLoadIsPricedByTheFileAndTheProgramsBitsItCanName) {
    BooleanBits few;
    BooleanBits many;
    for (int i = 0; i < 100000; ++i) {
        (i < 4 ? few : many).Add("B" + std::to_string(i), false);
    }
    const std::uint64_t megabyte = std::uint64_t(1) << 20;
    const MemoryNeed smallOfFew = MemoryToLoadState(megabyte, few);
    const MemoryNeed largeOfFew = MemoryToLoadState(100 * megabyte, few);
    EXPECT_LT(smallOfFew.address, 16 * megabyte);
    EXPECT_GT(largeOfFew.address, smallOfFew.address + 40 * megabyte);
    EXPECT_LT(largeOfFew.address, smallOfFew.address + 100 * megabyte);
    // The copies of many bits, and their index by slot, beside what the file costs.
    const std::uint64_t ofMany = MemoryToLoadState(100 * megabyte, many).address;
    EXPECT_GT(ofMany, largeOfFew.address + 99996 * sizeof(BitStateCopy));
    EXPECT_LT(ofMany, largeOfFew.address + 99996 * std::uint64_t(64));
    // A small file names few bits however large the program.
    EXPECT_LT(MemoryToLoadState(600, many).address, smallOfFew.address + 100000 * 8);
}

// Under an address-space limit that leaves less than the load and the desktop's reserve, the
// file is refused before a byte of it is read, in the words the source's refusal uses.
TEST(StateFile, ALoadThatCannotFitIsRefusedUnread) {
    BooleanBits bits;
    bits.Add("PB_1", false);
    const std::filesystem::path file = ::testing::TempDir() + "/unread.sst";
    ReplaceFile(file, "not even a state file");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    const std::uint64_t inUse = CurrentMemoryFigures().addressInUse;
    ASSERT_GT(inUse, 0u);
    std::string refusal;
    {
        const rlimit tight{rlim_t(inUse + (std::uint64_t(32) << 20)), before.rlim_max};
        ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
        try {
            RefuseStateBeyondMemory(file, bits);
        } catch (const NotEnoughMemory& refused) {
            refusal = refused.what();
        }
        setrlimit(RLIMIT_AS, &before);
    }
    EXPECT_TRUE(refusal.starts_with("Not enough memory to load " + file.string() +
                                    ": the file is 1 MB, loading it takes about "))
        << refusal;
    EXPECT_NO_THROW(RefuseStateBeyondMemory(file, bits));
}

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(FileReplacement, AWriteThatFailsKeepsTheOldFileWholeAndLeavesNothingBeside) {
    const std::filesystem::path folder = ::testing::TempDir() + "/replace_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "SMALL.sst";
    ReplaceFile(file, "old state");

    // The disk fills up half-way through the new file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit full{4096, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_THROW(ReplaceFile(file, std::string(10000, 'x')), RuntimeError);
    setrlimit(RLIMIT_FSIZE, &before);

    EXPECT_EQ(Contents(file), "old state");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);

    // A file far too large for the program is not read at all.
    std::filesystem::resize_file(file, 100u << 20);
    EXPECT_THROW(ReadWholeFile(file, StateFileSizeLimit(40)), RuntimeError);
}

}  // namespace
}  // namespace veldra::testing
