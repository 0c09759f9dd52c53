#include "platform/help_topics.h"

#include <array>
#include <utility>

namespace veldra {
namespace {

constexpr std::array kNamedTopics = {
    HelpTopic::Welcome,         HelpTopic::Opening,        HelpTopic::Running,
    HelpTopic::MainWindow,      HelpTopic::UsingHelp,      HelpTopic::ProgramWindow,
    HelpTopic::ImmediateWindow, HelpTopic::BitStatus,      HelpTopic::UserNumeric,
    HelpTopic::TimeQue,         HelpTopic::ForceBitChange, HelpTopic::LogFile,
    HelpTopic::ChangeUserBit,   HelpTopic::IOBoards,       HelpTopic::LampDrivers,
    HelpTopic::SignalHeads,     HelpTopic::Encoder,        HelpTopic::ToggleBits,
    HelpTopic::StateTables,     HelpTopic::NumericBlocks,  HelpTopic::FilterBits,
    HelpTopic::WatchList,       HelpTopic::StateFiles,     HelpTopic::ViewFiles,
    HelpTopic::StatementExport, HelpTopic::Linking,        HelpTopic::CodedTrack,
    HelpTopic::CodeTester,      HelpTopic::SerialStation,  HelpTopic::Connection,
    HelpTopic::StatementViewer, HelpTopic::StatementsList, HelpTopic::BadStatement,
    HelpTopic::Ladders,         HelpTopic::ProgramBook,    HelpTopic::ListingInformation,
    HelpTopic::PageRange,
};

// One topic per window; the program window's pages carry their own (ProgramPages).
constexpr std::array<std::pair<std::string_view, HelpTopic>, 25> kWindowTopics = {{
    {"frmAbout", HelpTopic::Welcome},
    {"frmStatus", HelpTopic::Opening},
    {"frmMain", HelpTopic::MainWindow},
    {"frmHelp", HelpTopic::UsingHelp},
    {"frmProgram", HelpTopic::ProgramWindow},
    {"frmIOBoard", HelpTopic::IOBoards},
    {"frmInOutBoard", HelpTopic::IOBoards},
    {"frmLMP16", HelpTopic::LampDrivers},
    {"frmMXLamp", HelpTopic::SignalHeads},
    {"frmASES", HelpTopic::Encoder},
    {"frmToggle", HelpTopic::ToggleBits},
    {"frmTable", HelpTopic::StateTables},
    {"frmNumerics", HelpTopic::NumericBlocks},
    {"frmFilter", HelpTopic::FilterBits},
    {"frmSetWatches", HelpTopic::WatchList},
    {"frmTrack", HelpTopic::CodedTrack},
    {"frmEcode", HelpTopic::CodeTester},
    {"frmSerialPort", HelpTopic::SerialStation},
    {"frmConnect", HelpTopic::Connection},
    {"frmShowAssign", HelpTopic::StatementViewer},
    {"frmStatements", HelpTopic::StatementsList},
    {"frmBdSt", HelpTopic::BadStatement},
    {"frmPrint", HelpTopic::ProgramBook},
    {"frmListing", HelpTopic::ListingInformation},
    {"frmPrintPgs", HelpTopic::PageRange},
}};

}  // namespace

std::span<const HelpTopic> NamedHelpTopics() {
    return kNamedTopics;
}

HelpTopic WindowHelpTopic(std::string_view windowClass) {
    for (const auto& [name, topic] : kWindowTopics) {
        if (name == windowClass) {
            return topic;
        }
    }
    return HelpTopic::None;
}

}  // namespace veldra
