#include "shell/dropped_files.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/ascii_text.h"

namespace veldra {
namespace {

constexpr std::size_t kDropPlaces = 3;

std::optional<DroppedKind> KindOf(std::string_view path) {
    const std::string ending =
        UpperCased(path.substr(path.size() - std::min<std::size_t>(3, path.size())));
    if (ending == "ML2" || ending == "MLR" || ending == "GN2") {
        return DroppedKind::Source;
    }
    if (ending == "SST") {
        return DroppedKind::State;
    }
    if (ending == "SVW") {
        return DroppedKind::View;
    }
    return std::nullopt;
}

}  // namespace

std::vector<DropItem> OrderDrop(const std::vector<std::string>& paths) {
    std::vector<DropItem> files;
    for (std::size_t i = 0; i < std::min(paths.size(), kDropPlaces); ++i) {
        if (const std::optional<DroppedKind> kind = KindOf(paths[i])) {
            files.push_back({*kind, paths[i]});
        }
    }
    std::ranges::stable_sort(files, {}, &DropItem::kind);
    return files;
}

}  // namespace veldra
