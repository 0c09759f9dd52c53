#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "boards/board_items.h"

namespace veldra {

// The two heads of a signal-head board are twins, numbered 1 and 2: each has its own
// class names, and only head 2's aspect list takes an off-delay setting as well.
template <int Head>
class HeadAspect;

template <int Head>
class HeadAspects : public BoardItems<HeadAspects<Head>, HeadAspect<Head>> {
    static_assert(Head == 1 || Head == 2);

public:
    // Appends an aspect under its name ("SPARE" without a key) and raises BitAdded. The
    // delay settings are the source's and are not kept. A name already listed is refused
    // with the model's error question and yields nothing.
    HeadAspect<Head>* Add(std::string_view AspectName, bool AspectValue,
                          std::string_view AspectLOName, bool AspectLOValue,
                          bool AspectIsTimer = false, std::int32_t OnTime = 0) requires(Head == 1);
    HeadAspect<Head>* Add(std::string_view AspectName, bool AspectValue,
                          std::string_view AspectLOName, bool AspectLOValue,
                          bool AspectIsTimer = false, std::int32_t OnTime = 0,
                          std::int32_t OffTime = 0) requires(Head == 2);

    ItemAdded BitAdded;

private:
    HeadAspect<Head>* Store(std::string_view AspectName, bool AspectValue,
                            std::string_view AspectLOName, bool AspectLOValue);
};

// One aspect of a signal head, a bit the logic drives, with the lamp-out bit the user
// changes on the panel; or the holder of the head's aspects.
template <int Head>
class HeadAspect : public BoardItem<HeadAspects<Head>> {
public:
    // The head's aspects on the holder; the list it is in on an aspect.
    HeadAspects<Head>& Aspects() { return this->Plural(&HeadAspects<Head>::BitAdded, BitAdded); }
    HeadAspects<Head>& Head1Aspects() requires(Head == 1) { return Aspects(); }
    HeadAspects<Head>& Head2Aspects() requires(Head == 2) { return Aspects(); }

    std::string AspectName;  // the key
    bool AspectValue = false;
    std::string AspectLOName;  // empty when the aspect has no lamp-out bit
    bool AspectLOValue = false;
    std::int16_t intIndex = 0;  // the aspect's row on the head panel

    // On the holder: an aspect was added to its list.
    ItemAdded BitAdded;
};

// One signal head: its lamp-on bit, its enabled state and its aspects.
template <int Head>
class SignalHead {
public:
    SignalHead() { aspects_.Set(std::make_unique<HeadAspect<Head>>()); }
    SignalHead(const SignalHead&) = delete;
    SignalHead& operator=(const SignalHead&) = delete;

    // The holder of the head's aspects, made with the head.
    HeadAspect<Head>& Aspect() const { return *aspects_.Get(); }
    HeadAspect<Head>& Head1Aspect() const requires(Head == 1) { return Aspect(); }
    HeadAspect<Head>& Head2Aspect() const requires(Head == 2) { return Aspect(); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    // Whether the user may change the head's enabled state on the panel.
    bool Adjustable() const { return adjustable_; }
    void SetAdjustable(bool on) { adjustable_ = on; }
    bool LampOnValue() const { return lampOnValue_; }
    void SetLampOnValue(bool value) { lampOnValue_ = value; }
    const std::string& LampOnName() const { return lampOnName_; }
    void SetLampOnName(std::string_view name) { lampOnName_ = std::string(name); }

    // An aspect was added to the head.
    ItemAdded BitAdded;

private:
    bool enabled_ = false;
    bool adjustable_ = false;
    bool lampOnValue_ = false;
    std::string lampOnName_;
    HolderSlot<HeadAspect<Head>> aspects_{&HeadAspect<Head>::BitAdded, BitAdded};
};

using Head1 = SignalHead<1>;
using Head1Aspect = HeadAspect<1>;
using Head1Aspects = HeadAspects<1>;
using Head2 = SignalHead<2>;
using Head2Aspect = HeadAspect<2>;
using Head2Aspects = HeadAspects<2>;

// A signal-head board ("COLOR.LIGHT" or "SEARCH.LIGHT"): two inputs and two heads.
class MXLamp : public BoardHeader {
public:
    MXLamp();
    MXLamp(const MXLamp&) = delete;
    MXLamp& operator=(const MXLamp&) = delete;

    const std::string& BoardType() const { return boardType_; }
    void SetBoardType(std::string_view type) { boardType_ = std::string(type); }

    // The heads: one each from the start; a new one replaces the head held, with its
    // aspects.
    ::veldra::Head1* Head1() const { return head1_.Get(); }
    void SetHead1(std::unique_ptr<::veldra::Head1> head) { head1_.Set(std::move(head)); }
    ::veldra::Head2* Head2() const { return head2_.Get(); }
    void SetHead2(std::unique_ptr<::veldra::Head2> head) { head2_.Set(std::move(head)); }

    // The board's inputs; a name is empty when the board has no such input.
    const std::string& Input1Name() const { return input1Name_; }
    void SetInput1Name(std::string_view name) { input1Name_ = std::string(name); }
    bool Input1Value() const { return input1Value_; }
    void SetInput1Value(bool value) { input1Value_ = value; }
    const std::string& Input2Name() const { return input2Name_; }
    void SetInput2Name(std::string_view name) { input2Name_ = std::string(name); }
    bool Input2Value() const { return input2Value_; }
    void SetInput2Value(bool value) { input2Value_ = value; }

    ItemAdded Head1BitAdded;
    ItemAdded Head2BitAdded;

private:
    std::string boardType_;
    std::string input1Name_;
    std::string input2Name_;
    bool input1Value_ = false;
    bool input2Value_ = false;
    HolderSlot<::veldra::Head1> head1_{&::veldra::Head1::BitAdded, Head1BitAdded};
    HolderSlot<::veldra::Head2> head2_{&::veldra::Head2::BitAdded, Head2BitAdded};
};

extern template class HeadAspects<1>;
extern template class HeadAspects<2>;

}  // namespace veldra
