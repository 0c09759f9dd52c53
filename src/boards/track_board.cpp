#include "boards/track_board.h"

#include "logic/boolean_bits.h"
#include "logic/model_error.h"

namespace veldra {

template <TrackSide Side>
TrackInCode<Side>* TrackInCodes<Side>::Add(std::string_view CodeName, bool CodeValue,
                                           TrackWindow* vForm) {
    auto made = std::make_unique<TrackInCode<Side>>();
    made->SetCodeName(CodeName);
    made->SetvForm(vForm);
    TrackInCode<Side>* code = this->Insert(BoardKey(CodeName), std::move(made));
    if (code == nullptr) {
        return nullptr;
    }
    // Only a listed code may leave a pending bit behind.
    code->SetCodeValue(CodeValue);
    InCodeAdded.Raise(CodeName);
    return code;
}

template <TrackSide Side>
TrackOutCode<Side>* TrackOutCodes<Side>::Add(std::string_view CodeName, bool CodeValue,
                                             bool /*IsTimer*/, std::int32_t /*OnTime*/,
                                             std::int32_t /*OffTime*/) {
    auto code = std::make_unique<TrackOutCode<Side>>();
    code->CodeName = std::string(CodeName);
    code->CodeValue = CodeValue;
    return this->Append(CodeName, std::move(code), OutCodeAdded);
}

template <TrackSide Side>
void TrackInCode<Side>::SetCodeValue(bool value) {
    if (value == codeValue_) {
        return;
    }
    GuardModel(ProgressWindow::Keep, [&] {
        if (vForm_ != nullptr) {
            vForm_->PendingBits().Add(codeName_, value, false, 0, 0, false);
        }
        codeValue_ = value;
    });
}

template <TrackSide Side>
TrackEnd<Side>::TrackEnd() {
    inCode_.Set(std::make_unique<TrackInCode<Side>>());
    outCode_.Set(std::make_unique<TrackOutCode<Side>>());
}

TrackBoard::TrackBoard() {
    endA_.Set(std::make_unique<::veldra::TrackA>());
    endB_.Set(std::make_unique<::veldra::TrackB>());
}

template class TrackInCodes<TrackSide::A>;
template class TrackInCodes<TrackSide::B>;
template class TrackOutCodes<TrackSide::A>;
template class TrackOutCodes<TrackSide::B>;
template class TrackInCode<TrackSide::A>;
template class TrackInCode<TrackSide::B>;
template class TrackEnd<TrackSide::A>;
template class TrackEnd<TrackSide::B>;

}  // namespace veldra
