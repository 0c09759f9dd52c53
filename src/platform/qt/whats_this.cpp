#include "platform/qt/whats_this.h"

#include <QWhatsThis>

namespace veldra {

void EnterWhatsThisMode() {
    QWhatsThis::enterWhatsThisMode();
}

}  // namespace veldra
