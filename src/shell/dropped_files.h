#pragma once

#include <string>
#include <vector>

namespace veldra {

// A file dropped on the main window, by what its ending says it is.
enum class DroppedKind { Source, State, View };

struct DropItem {
    DroppedKind kind;
    std::string path;
};

// The files of one drop in the order their commands take them: source files, then state
// files, then view files, whatever their order in the drop. Only the first three files of
// a drop count; a file of any other ending is passed over.
std::vector<DropItem> OrderDrop(const std::vector<std::string>& paths);

}  // namespace veldra
