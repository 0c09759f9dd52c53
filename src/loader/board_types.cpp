#include "loader/board_types.h"

#include <array>
#include <utility>

namespace veldra {
namespace {

constexpr std::array<std::pair<std::string_view, BoardKind>, 23> kBoardTypes = {{
    {"IN8.OUT8", BoardKind::InOut},
    {"IN4.OUT4", BoardKind::InOut},
    {"IN4.OUT2.ISO", BoardKind::InOut},
    {"NV.IN32.OUT32", BoardKind::InOut},
    {"NV.IN32.OUT16", BoardKind::InOut},
    {"MIXIO", BoardKind::InOut},
    {"IN6.OUT6", BoardKind::InOut},
    {"OUT16", BoardKind::OutputsOnly},
    {"CODER.OUT", BoardKind::OutputsOnly},
    {"NVB.OUT12", BoardKind::OutputsOnly},
    {"NV.OUT32", BoardKind::OutputsOnly},
    {"IN16", BoardKind::InputsOnly},
    {"NV.IN32", BoardKind::InputsOnly},
    {"IN6", BoardKind::InputsOnly},
    {"LAMP16", BoardKind::Lamp},
    {"LED12", BoardKind::Lamp},
    {"LED6", BoardKind::Lamp},
    {"TRX.TRACK", BoardKind::Track},
    {"ECODE.TRACK", BoardKind::Track},
    {"COLOR.LIGHT", BoardKind::SignalHead},
    {"SEARCH.LIGHT", BoardKind::SignalHead},
    {"ASES.ENCODER", BoardKind::Encoder},
    {"SCC", BoardKind::Skipped},
}};

}  // namespace

BoardKind KindOfBoard(std::string_view typeWord) {
    for (const auto& [word, kind] : kBoardTypes) {
        if (word == typeWord) {
            return kind;
        }
    }
    return BoardKind::Unknown;
}

}  // namespace veldra
