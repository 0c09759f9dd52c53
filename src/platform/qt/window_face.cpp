#include "platform/qt/window_face.h"

#include <QApplication>
#include <QFont>

namespace veldra {
namespace {

// Liberation Sans is drawn to Arial's widths, which at 8 points on a 96-dot screen (11
// pixels, as the twip layouts count 15 twips a pixel) are the widths the layouts were
// drawn for. Sized in pixels so that a desktop of another dot density keeps the widths.
constexpr const char* kFamily = "Liberation Sans";
constexpr int kPixelSize = 11;

}  // namespace

void UseWindowFace() {
    // The book and its settings name the faces of the desktop the book was first printed
    // on; each stands for its metric twin, so that pages keep their layout and the font
    // dialog opens on the face the settings hold.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont face(QString::fromLatin1(kFamily));
    face.setStyleHint(QFont::SansSerif);
    face.setPixelSize(kPixelSize);
    QApplication::setFont(face);
}

}  // namespace veldra
