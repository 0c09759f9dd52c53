// Built into the program as a static plugin: Qt asks it for the accessible interface of a lamp.
#define QT_STATICPLUGIN

#include <QAccessible>
#include <QAccessiblePlugin>
#include <QAccessibleWidget>
#include <QWidget>
#include <QtPlugin>

namespace veldra {

// A board window shows a lamp on every row, thousands of them in a large application. Qt
// makes an accessible interface for every control as soon as it is shown, enabled, disabled
// or given text, whether or not anything listens, and keeps it (with a connection to the
// control) until the control goes. While no assistive technology listens a lamp gets none;
// once one does, a lamp is described as Qt describes any plain control.
class LampAccessible final : public QAccessiblePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleFactoryInterface_iid FILE "lamp_accessible.json")

public:
    QAccessibleInterface* create(const QString& key, QObject* object) override {
        (void)key;
        auto* lamp = qobject_cast<QWidget*>(object);
        if (lamp == nullptr || !QAccessible::isActive()) {
            return nullptr;
        }
        return new QAccessibleWidget(lamp);
    }
};

}  // namespace veldra

#include "lamp_accessible.moc"
