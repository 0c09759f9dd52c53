#include "boards/mx_lamp.h"

namespace veldra {

template <int Head>
HeadAspect<Head>* HeadAspects<Head>::Add(std::string_view AspectName, bool AspectValue,
                                         std::string_view AspectLOName, bool AspectLOValue,
                                         bool /*AspectIsTimer*/,
                                         std::int32_t /*OnTime*/) requires(Head == 1) {
    return Store(AspectName, AspectValue, AspectLOName, AspectLOValue);
}

template <int Head>
HeadAspect<Head>* HeadAspects<Head>::Add(std::string_view AspectName, bool AspectValue,
                                         std::string_view AspectLOName, bool AspectLOValue,
                                         bool /*AspectIsTimer*/, std::int32_t /*OnTime*/,
                                         std::int32_t /*OffTime*/) requires(Head == 2) {
    return Store(AspectName, AspectValue, AspectLOName, AspectLOValue);
}

template <int Head>
HeadAspect<Head>* HeadAspects<Head>::Store(std::string_view AspectName, bool AspectValue,
                                           std::string_view AspectLOName, bool AspectLOValue) {
    auto aspect = std::make_unique<HeadAspect<Head>>();
    aspect->AspectName = std::string(AspectName);
    aspect->AspectValue = AspectValue;
    aspect->AspectLOName = std::string(AspectLOName);
    aspect->AspectLOValue = AspectLOValue;
    return this->Append(AspectName, std::move(aspect), BitAdded);
}

MXLamp::MXLamp() {
    head1_.Set(std::make_unique<::veldra::Head1>());
    head2_.Set(std::make_unique<::veldra::Head2>());
}

template class HeadAspects<1>;
template class HeadAspects<2>;

}  // namespace veldra
