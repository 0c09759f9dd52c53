#include "engine/track_forms.h"

#include <memory>

#include "logic/boolean_bits.h"

namespace veldra {

BooleanBit* TrackForm::TrackBits(int i) const {
    return vForm_->Find(i);
}

int TrackForm::TrackBitsCount() const {
    return vForm_->Count();
}

void TrackForm::RemoveTrackBit(int i) {
    vForm_->Remove(i);
}

TrackForm* TrackForms::Add(BooleanBits& pendingBits, std::string_view sKey) {
    if (pendingBits.Count() == 0) {
        return nullptr;
    }
    return AddReported(sKey, [&] { return std::make_unique<TrackForm>(pendingBits); });
}

}  // namespace veldra
