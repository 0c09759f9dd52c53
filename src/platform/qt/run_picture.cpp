#include "platform/qt/run_picture.h"

#include <QPixmapCache>

namespace veldra {

QPixmap PictureOfTheRun(const QString& key, const std::function<QPixmap()>& draw) {
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = draw();
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

}  // namespace veldra
