#include "loader/light_heads_reader.h"

#include "boards/mx_lamp.h"
#include "loader/keywords.h"
#include "loader/source_values.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

// Calls `visit` with head 1 or head 2 of the board, when it has that head.
template <class Visit>
void WithHead(MXLamp* board, int head, Visit&& visit) {
    if (board == nullptr) {
        return;
    }
    if (head == 1 && board->Head1() != nullptr) {
        visit(*board->Head1());
    } else if (head == 2 && board->Head2() != nullptr) {
        visit(*board->Head2());
    }
}

// Hands the aspects of one working head to the same head of the board.
template <class Head>
void MoveAspects(const Head& from, Head* to) {
    if (to == nullptr) {
        return;
    }
    for (const auto& aspect : from.Aspect().Aspects()) {
        to->Aspect().Aspects().Add(aspect.AspectName, false, aspect.AspectLOName, false);
    }
}

}  // namespace

LightHeadsReader::LightHeadsReader() = default;
LightHeadsReader::~LightHeadsReader() = default;

bool LightHeadsReader::GetLightHeads(std::string_view piece, MXLamp* board) {
    std::string s(TrimBlanks(piece));
    if (KeyWord(s)) {
        Finish(board);
        return true;
    }
    if (working_ == nullptr) {
        working_ = std::make_unique<MXLamp>();
    }
    bool cut = false;
    SelectHeadOrAdjust(s, board, cut);
    const bool lineEnd = !cut && !s.ends_with(':');
    if (Contains(s, "ENABLE:") || enableAwaited_) {
        if (Contains(s, "ENABLE:")) {
            s = After(s, "ENABLE:");
        }
        enableAwaited_ = true;
        s = std::string(TrimBlanks(s));
        if (Contains(s, ";")) {
            const std::string value(TrimBlanks(Before(s, ";")));
            if (!value.empty()) {
                SetEnabled(board, SourceBoolean(value));
                enableAwaited_ = false;
            }
        }
    } else if (Contains(s, "LAMP:") || lampOnAwaited_) {
        if (Contains(s, "LAMP:")) {
            s = After(s, "LAMP:");
        }
        lampOnAwaited_ = true;
        s = std::string(TrimBlanks(s));
        if (Contains(s, ";")) {
            SetLampOnName(board, TrimBlanks(Before(s, ";")));
            lampOnAwaited_ = false;
        }
    } else if (Contains(s, "ASPECT") || list_ == List::Aspects) {
        if (Contains(s, "ASPECT:")) {
            s = After(s, "ASPECT:");
        } else if (Contains(s, "ASPECT")) {
            s = After(s, "ASPECT");
        }
        list_ = List::Aspects;
        ReadNames(s, board, lineEnd);
    } else if (Contains(s, "LAMP.OUT:") || list_ == List::LampOuts) {
        if (Contains(s, "LAMP.OUT:")) {
            s = After(s, "LAMP.OUT:");
        }
        list_ = List::LampOuts;
        ReadNames(s, board, lineEnd);
    } else if (Contains(s, "INPUT:") || list_ == List::Inputs) {
        if (Contains(s, "INPUT:")) {
            s = After(s, "INPUT:");
        }
        list_ = List::Inputs;
        ReadNames(s, board, lineEnd);
    }
    if (complete_) {
        Finish(board);
        return true;
    }
    return false;
}

// "HEAD" with its number selects a head; "ADJUST" makes the selected head adjustable.
// Either word is cut off with what stands before it, as often as the piece holds one.
void LightHeadsReader::SelectHeadOrAdjust(std::string& s, MXLamp* board, bool& cut) {
    for (;;) {
        if (Contains(s, "HEAD")) {
            s = After(s, "HEAD");
            if (s.starts_with('1')) {
                head_ = 1;
            } else if (s.starts_with('2')) {
                head_ = 2;
            }
        } else if (Contains(s, "ADJUST")) {
            s = After(s, "ADJUST");
            WithHead(board, head_, [](auto& head) { head.SetAdjustable(true); });
        } else {
            return;
        }
        cut = true;
    }
}

void LightHeadsReader::ReadNames(std::string_view s, MXLamp* board, bool lineEnd) {
    std::string name;
    for (const char c : TrimBlanks(s)) {
        if (c == ',') {
            AddName(name, board);
            name.clear();
        } else if (c == ';') {
            if (list_ == List::Inputs) {
                if (const std::string_view second = TrimBlanks(name); !second.empty() && board) {
                    board->SetInput2Name(second);
                }
                complete_ = true;
            } else {
                AddName(name, board);
            }
            list_ = List::None;
            return;
        } else {
            name += c;
        }
    }
    // The last name of a line needs no ","; what is left of a piece after a head or
    // adjust word is no list line.
    if (lineEnd) {
        AddName(name, board);
    }
}

void LightHeadsReader::AddName(std::string_view written, MXLamp* board) {
    const std::string_view name = TrimBlanks(written);
    if (name.empty()) {
        return;
    }
    switch (list_) {
        case List::Inputs:
            if (board != nullptr) {
                board->SetInput1Name(name);
            }
            return;
        case List::Aspects:
            // Names read while no head is selected belong to no head.
            WithHead(working_.get(), head_,
                     [&](auto& head) { head.Aspect().Aspects().Add(name, false, "", false); });
            return;
        case List::LampOuts:
            WithHead(working_.get(), head_, [&](auto& head) {
                // The k-th light-out name belongs to the head's k-th aspect.
                for (auto& aspect : head.Aspect().Aspects()) {
                    if (aspect.AspectLOName.empty()) {
                        aspect.AspectLOName = std::string(name);
                        return;
                    }
                }
                throw RuntimeError("The light-out bit " + Excerpt(name) +
                                   " has no aspect of head " + std::to_string(head_) +
                                   " left to belong to");
            });
            return;
        case List::None:
            return;
    }
}

void LightHeadsReader::SetEnabled(MXLamp* board, bool on) const {
    WithHead(board, head_, [&](auto& head) { head.SetEnabled(on); });
}

void LightHeadsReader::SetLampOnName(MXLamp* board, std::string_view name) const {
    WithHead(board, head_, [&](auto& head) { head.SetLampOnName(name); });
}

void LightHeadsReader::Finish(MXLamp* board) {
    std::unique_ptr<MXLamp> read = std::move(working_);
    head_ = 0;
    enableAwaited_ = false;
    lampOnAwaited_ = false;
    list_ = List::None;
    complete_ = false;
    if (read == nullptr || board == nullptr) {
        return;
    }
    MoveAspects(*read->Head1(), board->Head1());
    MoveAspects(*read->Head2(), board->Head2());
}

}  // namespace veldra
