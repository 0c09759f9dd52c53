#include "loader/board_reader.h"

#include <memory>
#include <type_traits>

#include "boards/ases.h"
#include "boards/io_board.h"
#include "boards/lamp16.h"
#include "boards/mx_lamp.h"
#include "boards/track_board.h"
#include "loader/load_context.h"
#include "panels/ases_panel.h"
#include "panels/board_window_factory.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/serial_port_panel.h"
#include "panels/track_panel.h"
#include "platform/platform.h"

namespace veldra {

BoardReader::BoardReader(LoadContext& context, BoardWindowFactory& windows)
    : context_(context), windows_(windows), link_(windows) {}

BoardReader::~BoardReader() = default;

template <class Panel>
Panel* BoardReader::Current() const {
    Panel* const* window = std::get_if<Panel*>(&current_);
    return window != nullptr && *window != nullptr && !(*window)->Closed() ? *window : nullptr;
}

BoardPanel* BoardReader::CurrentPanel() const {
    return std::visit(
        [](auto window) -> BoardPanel* {
            if constexpr (std::is_same_v<decltype(window), std::monostate>) {
                return nullptr;
            } else {
                return window != nullptr && !window->Closed() ? window : nullptr;
            }
        },
        current_);
}

// --- The header and the board-type table.

bool BoardReader::NewBoard(std::string& piece, std::string& BoardName, std::string& BoardType) {
    bool read = false;
    context_.Guard([&] {
        const BoardHeaderReader::Step step = header_.NewBoard(piece, BoardName, BoardType);
        if (step == BoardHeaderReader::Step::Reading) {
            return;
        }
        const bool adjustable = header_.Adjustable();
        const bool enabled = header_.Enabled();
        header_.Clear();
        read = true;
        current_ = {};
        if (step == BoardHeaderReader::Step::NoTypeWord) {
            // Built with no type at all, rather than with the type of the board before.
            BoardType.clear();
            ReportUnknownType(BoardName, BoardType);
            return;
        }
        const BoardKind kind = KindOfBoard(BoardType);
        bodyOpen_ = kind != BoardKind::Skipped;
        bodyKind_ = kind;
        Build(kind, BoardName, BoardType, adjustable, enabled);
    });
    return read;
}

// Every kind opens its board alike: the window made becomes the current one and takes a
// new board with the header's settings, before any item is added to it.
template <class Panel>
auto& BoardReader::Open(Panel& window, const HeaderSettings& header) {
    current_ = &window;
    using Board = std::remove_pointer_t<decltype(window.MyBoard())>;
    window.SetMyBoard(std::make_unique<Board>());
    Board& board = *window.MyBoard();
    board.SetAdjustable(header.adjustable);
    board.SetEnabled(header.enabled);
    board.SetBoardName(header.name);
    if constexpr (requires { board.SetBoardType(header.type); }) {
        board.SetBoardType(header.type);
    }
    return board;
}

void BoardReader::Build(BoardKind kind, const std::string& name, const std::string& type,
                        bool adjustable, bool enabled) {
    const HeaderSettings header{name, type, adjustable, enabled};
    switch (kind) {
        case BoardKind::InOut:
            AddIOLists(Open<IOPanel>(windows_.NewInOutBoardWindow(), header));
            return;
        case BoardKind::InputsOnly:
        case BoardKind::OutputsOnly:
            AddIOLists(Open<IOPanel>(windows_.NewIOBoardWindow(), header));
            return;
        case BoardKind::Lamp: {
            Lamp16& board = Open(windows_.NewLampWindow(), header);
            if (IsLedType(type)) {
                board.SetLED(true);
            }
            board.SetLamp(std::make_unique<Lamp>());
            return;
        }
        case BoardKind::Track: {
            TrackBoard& board = Open(windows_.NewTrackWindow(), header);
            board.SetTrackA(std::make_unique<TrackA>());
            board.SetTrackB(std::make_unique<TrackB>());
            return;
        }
        case BoardKind::SignalHead: {
            MXLamp& board = Open(windows_.NewMXLampWindow(), header);
            board.SetHead1(std::make_unique<Head1>());
            board.SetHead2(std::make_unique<Head2>());
            return;
        }
        case BoardKind::Encoder:
            Open(windows_.NewASESWindow(), header);
            return;
        case BoardKind::Skipped:
            return;
        case BoardKind::Unknown:
            ReportUnknownType(name, type);
            return;
    }
}

void BoardReader::AddIOLists(IOBoard& board) {
    board.SetBoardInput(std::make_unique<BoardInput>());
    board.SetBoardOutput(std::make_unique<BoardOutput>());
}

void BoardReader::ReportUnknownType(const std::string& name, const std::string& type) {
    Platform& platform = ThePlatform();
    platform.UnloadLoadingProgress();
    MsgBox("Board Type Not Found\r\n" + name + "\r\n" + type, MsgButtons::Ok, MsgIcon::Critical,
           "Sorry Unkown Board");
    platform.SetLoadingStatus("Loading " + name);
}

// --- The body.

bool BoardReader::GetBoardIO(std::string& piece, std::string_view BoardType) {
    bool ended = false;
    const bool read = context_.Guard([&] { ended = ReadBody(piece, KindOfBoard(BoardType)); });
    if (!read) {
        ended = KeyWord(piece);
    }
    if (ended) {
        bodyOpen_ = false;
    }
    return ended;
}

bool BoardReader::ReadBody(std::string_view piece, BoardKind kind) {
    switch (kind) {
        case BoardKind::InOut:
        case BoardKind::InputsOnly:
        case BoardKind::OutputsOnly:
            return ReadIOLists(piece, kind);
        case BoardKind::Lamp:
            return lamps_.GetLampBoard(piece, CurrentLamps());
        case BoardKind::Track: {
            TrackPanel* window = Current<TrackPanel>();
            return track_.GetTrackBoard(piece, window != nullptr ? window->MyBoard() : nullptr,
                                        window);
        }
        case BoardKind::SignalHead:
            return heads_.GetLightHeads(piece, CurrentHeads());
        case BoardKind::Encoder: {
            ASESPanel* window = Current<ASESPanel>();
            return encoder_.GetAsesBits(piece, window != nullptr ? window->MyBoard() : nullptr);
        }
        case BoardKind::Skipped:
        case BoardKind::Unknown:
            break;
    }
    // A board that was not built has no reader; the next section keyword ends it.
    return false;
}

// The same piece goes to both lists; each takes only the pieces of its own. A board
// ends when every list its type carries is complete.
bool BoardReader::ReadIOLists(std::string_view piece, BoardKind kind) {
    IOPanel* window = Current<IOPanel>();
    IOBoard* board = window != nullptr ? window->MyBoard() : nullptr;
    if (!listsSetUp_) {
        inputsDone_ = kind == BoardKind::OutputsOnly;
        outputsDone_ = kind == BoardKind::InputsOnly;
        listsSetUp_ = true;
    }
    if (!inputsDone_) {
        inputsDone_ = inputs_.Read(piece, [&](const std::string& name) {
            if (board != nullptr && board->BoardInput() != nullptr) {
                board->BoardInput()->BoardInputs().Add(name, false);
            }
        });
    }
    if (!outputsDone_) {
        outputsDone_ = outputs_.Read(piece, [&](const std::string& name) {
            if (board != nullptr && board->BoardOutput() != nullptr) {
                board->BoardOutput()->BoardOutputs().Add(name, false);
            }
        });
    }
    if (inputsDone_ && outputsDone_) {
        listsSetUp_ = false;
        inputsDone_ = false;
        outputsDone_ = false;
        return true;
    }
    return false;
}

Lamps* BoardReader::CurrentLamps() const {
    const Lamp16Panel* window = Current<Lamp16Panel>();
    if (window == nullptr || window->MyBoard() == nullptr || window->MyBoard()->Lamp() == nullptr) {
        return nullptr;
    }
    return &window->MyBoard()->Lamp()->Lamps();
}

MXLamp* BoardReader::CurrentHeads() const {
    const MXLampPanel* window = Current<MXLampPanel>();
    return window != nullptr ? window->MyBoard() : nullptr;
}

void BoardReader::SetBoardReset() {
    context_.Guard([&] { EndBody(); });
}

// A section keyword (or the end of the source) ends the board while it is still being
// read. Lamps and aspects read so far still go to the board they were read for, not to
// the next board of their kind.
void BoardReader::EndBody() {
    if (!bodyOpen_) {
        return;
    }
    bodyOpen_ = false;
    lamps_.Finish(bodyKind_ == BoardKind::Lamp ? CurrentLamps() : nullptr);
    heads_.Finish(bodyKind_ == BoardKind::SignalHead ? CurrentHeads() : nullptr);
    track_.Reset();
    encoder_.Reset();
    inputs_.Reset();
    outputs_.Reset();
    listsSetUp_ = false;
    inputsDone_ = false;
    outputsDone_ = false;
}

void BoardReader::ShowBoardWindow() {
    if (BoardPanel* window = CurrentPanel()) {
        windows_.ShowWindow(*window);
    }
}

// --- Serial links.

void BoardReader::NewSerialPort() {
    context_.Guard([&] { link_.NewSerialPort(); });
    current_ = link_.Current();
}

bool BoardReader::GetLink(std::string& piece) {
    bool ended = false;
    if (!context_.Guard([&] { ended = link_.GetLink(piece); })) {
        ended = KeyWord(piece);
    }
    current_ = link_.Current();
    return ended;
}

// --- The end of the load.

void BoardReader::EndOfSource() {
    context_.Guard([&] {
        if (header_.Started()) {
            const std::string name = header_.Name();
            header_.Clear();
            ReportUnknownType(name, "");
        }
        EndBody();
        link_.EndSection();
    });
}

void BoardReader::ReleaseBoardWindow() {
    current_ = {};
}

}  // namespace veldra
