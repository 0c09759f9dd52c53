#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "loader/ases_reader.h"
#include "loader/board_header_reader.h"
#include "loader/board_section_reader.h"
#include "loader/board_types.h"
#include "loader/io_list_reader.h"
#include "loader/lamp_board_reader.h"
#include "loader/light_heads_reader.h"
#include "loader/serial_link_reader.h"
#include "loader/track_board_reader.h"

namespace veldra {

class ASESPanel;
class BoardPanel;
class BoardWindowFactory;
class IOBoard;
class IOPanel;
class Lamp16Panel;
class Lamps;
class LoadContext;
class MXLamp;
class MXLampPanel;
class SerialPortPanel;
class TrackPanel;

// Builds the program's boards while a source is read: for every "BOARD:" section the
// window its type word calls for, from the window factory, with a new board model in it;
// then the board's bits, read by the reader of its kind, whose additions make the window
// build its rows. A "LINK:" section gives one serial-station window per station. The
// windows are the program's only list of boards: the factory keeps them, load completion
// binds their bits.
//
// A failure while a piece is read is reported with the source line in the model's
// "End Program?" question, and the rest of that piece is passed over.
class BoardReader final : public BoardSectionReader {
public:
    // `windows` makes every window and keeps it, open, for as long as the load lasts.
    BoardReader(LoadContext& context, BoardWindowFactory& windows);
    ~BoardReader() override;
    BoardReader(const BoardReader&) = delete;
    BoardReader& operator=(const BoardReader&) = delete;

    bool NewBoard(std::string& piece, std::string& BoardName, std::string& BoardType) override;
    bool GetBoardIO(std::string& piece, std::string_view BoardType) override;
    void SetBoardReset() override;
    void ShowBoardWindow() override;
    void NewSerialPort() override;
    bool GetLink(std::string& piece) override;
    void ReleaseBoardWindow() override;
    void EndOfSource() override;

private:
    // The window of the board or station being read, by kind; none before the first and
    // after a board that was not built.
    using Window = std::variant<std::monostate, IOPanel*, Lamp16Panel*, TrackPanel*, MXLampPanel*,
                                ASESPanel*, SerialPortPanel*>;

    void Build(BoardKind kind, const std::string& name, const std::string& type, bool adjustable,
               bool enabled);
    // What the board header says of every board.
    struct HeaderSettings {
        const std::string& name;
        const std::string& type;
        bool adjustable;
        bool enabled;
    };
    template <class Panel>
    auto& Open(Panel& window, const HeaderSettings& header);
    static void AddIOLists(IOBoard& board);
    // "Board Type Not Found" with the board's name and type word; nothing is built.
    static void ReportUnknownType(const std::string& name, const std::string& type);
    bool ReadBody(std::string_view piece, BoardKind kind);
    bool ReadIOLists(std::string_view piece, BoardKind kind);
    // The board being read is over before its text said so: what it has read goes to
    // it, and every body reader starts afresh.
    void EndBody();

    // The current window of that kind, while it is open.
    template <class Panel>
    Panel* Current() const;
    BoardPanel* CurrentPanel() const;
    // The lamp list or the signal heads of the current board, when it has them.
    Lamps* CurrentLamps() const;
    MXLamp* CurrentHeads() const;

    LoadContext& context_;
    BoardWindowFactory& windows_;
    Window current_;

    BoardHeaderReader header_;
    bool bodyOpen_ = false;
    BoardKind bodyKind_ = BoardKind::Unknown;

    IOListReader inputs_{"INPUT:", "NV.INPUT:"};
    IOListReader outputs_{"OUTPUT:", "NV.OUTPUT:"};
    bool listsSetUp_ = false;
    bool inputsDone_ = false;
    bool outputsDone_ = false;

    LampBoardReader lamps_;
    LightHeadsReader heads_;
    TrackBoardReader track_;
    AsesReader encoder_;
    SerialLinkReader link_;
};

}  // namespace veldra
