#pragma once

#include <span>
#include <string_view>

namespace veldra {

// The topics of the user's guide that windows and controls point at, by number. The guide
// holds the other half of the map: each of its topic pages declares its number
// (<meta name="topic" content="27"/>), so the code names a number and the guide says
// which page it is, as a help file's context numbers do. 27 and 31 are the numbers the
// program window's force frame has always carried on its two pages.
enum class HelpTopic : int {
    None = 0,
    Welcome = 1,
    Opening = 2,
    Running = 3,
    MainWindow = 4,
    UsingHelp = 5,
    ProgramWindow = 10,
    ImmediateWindow = 20,
    BitStatus = 22,
    UserNumeric = 24,
    TimeQue = 25,
    ForceBitChange = 27,
    LogFile = 28,
    ChangeUserBit = 31,
    IOBoards = 40,
    LampDrivers = 41,
    SignalHeads = 42,
    Encoder = 43,
    ToggleBits = 44,
    StateTables = 50,
    NumericBlocks = 51,
    FilterBits = 52,
    WatchList = 53,
    StateFiles = 60,
    ViewFiles = 61,
    StatementExport = 62,
    Linking = 70,
    CodedTrack = 71,
    CodeTester = 72,
    SerialStation = 73,
    Connection = 74,
    StatementViewer = 80,
    StatementsList = 81,
    BadStatement = 82,
    Ladders = 83,
    ProgramBook = 90,
    ListingInformation = 91,
    PageRange = 92,
};

// Every topic the code names: the guide must hold each of them.
std::span<const HelpTopic> NamedHelpTopics();

// The topic of a window, by its class name ("frmTrack"): what What's This shows on any of
// its controls that has no topic of its own. None for a name that is no window of ours.
HelpTopic WindowHelpTopic(std::string_view windowClass);

}  // namespace veldra
