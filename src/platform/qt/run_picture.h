#pragma once

#include <QPixmap>
#include <QString>
#include <functional>

namespace veldra {

// The picture of that key, drawn once for the whole run and shared by every window that
// shows it: each picture drawn anew (for every load, say) leaves what the desktop derives
// from it in its picture cache, so the memory held would grow a little with each.
QPixmap PictureOfTheRun(const QString& key, const std::function<QPixmap()>& draw);

}  // namespace veldra
