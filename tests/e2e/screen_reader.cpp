#include "e2e/screen_reader.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <utility>

namespace velorinth {

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
constexpr int kShowingBit = 25; // ATSPI_STATE_SHOWING
constexpr uint kScreenCoordinates = 0;
constexpr int kCallMs = 5000;

QString accessibilityBusAddress()
{
    const QDBusMessage ask = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                                            "org.a11y.Bus", "GetAddress");
    return QDBusConnection::sessionBus()
        .call(ask, QDBus::Block, kCallMs)
        .arguments()
        .value(0)
        .toString();
}

} // namespace

const Element *Element::find(const QString &wanted) const
{
    if (name == wanted)
        return this;
    for (const Element &child : children) {
        if (const Element *found = child.find(wanted))
            return found;
    }
    return nullptr;
}

ScreenReader::ScreenReader()
    : m_bus(QDBusConnection::connectToBus(accessibilityBusAddress(),
                                          QString("screen-reader-%1").arg(quintptr(this))))
{
}

ScreenReader::~ScreenReader()
{
    QDBusConnection::disconnectFromBus(m_bus.name());
}

bool ScreenReader::isConnected() const
{
    return m_bus.isConnected();
}

std::vector<Element> ScreenReader::windowsOf(qint64 pid) const
{
    const QString service = serviceOf(pid);
    std::vector<Element> shown;
    if (service.isEmpty())
        return shown;
    for (const Node &window : children({service, kRoot})) {
        if (Element element = read(window); !element.role.isEmpty())
            shown.push_back(std::move(element));
    }
    return shown;
}

QString ScreenReader::serviceOf(qint64 pid) const
{
    QDBusConnectionInterface *bus = m_bus.interface();
    if (!bus || pid <= 0)
        return {};
    const QStringList names = bus->registeredServiceNames();
    for (const QString &name : names) {
        if (name.startsWith(':') && bus->servicePid(name).value() == pid)
            return name;
    }
    return {};
}

QDBusMessage ScreenReader::call(const Node &node, const QString &interface, const QString &method,
                                const QVariantList &arguments) const
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(node.service, node.path, interface, method);
    message.setArguments(arguments);
    return m_bus.call(message, QDBus::Block, kCallMs);
}

QVariant ScreenReader::property(const Node &node, const QString &name) const
{
    const QDBusMessage reply =
        call(node, "org.freedesktop.DBus.Properties", "Get", {kAccessible, name});
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

std::vector<ScreenReader::Node> ScreenReader::children(const Node &node) const
{
    std::vector<Node> found;
    const QVariant listed = call(node, kAccessible, "GetChildren", {}).arguments().value(0);
    if (!listed.canConvert<QDBusArgument>())
        return found;
    const auto in = listed.value<QDBusArgument>(); // a(so)
    in.beginArray();
    while (!in.atEnd()) {
        Node child;
        QDBusObjectPath path;
        in.beginStructure();
        in >> child.service >> path;
        in.endStructure();
        child.path = path.path();
        found.push_back(std::move(child));
    }
    in.endArray();
    return found;
}

Element ScreenReader::read(const Node &node) const
{
    Element element;
    const auto states =
        qdbus_cast<QList<uint>>(call(node, kAccessible, "GetState", {}).arguments().value(0));
    if (states.isEmpty() || !(states[0] & (1u << kShowingBit)))
        return element;
    element.role = call(node, kAccessible, "GetRoleName", {}).arguments().value(0).toString();
    element.name = property(node, "Name").toString();
    const QVariant extents = call(node, "org.a11y.atspi.Component", "GetExtents",
                                  {QVariant::fromValue(kScreenCoordinates)})
                                 .arguments()
                                 .value(0);
    if (extents.canConvert<QDBusArgument>()) {
        const auto in = extents.value<QDBusArgument>(); // (iiii)
        int x = 0, y = 0, width = 0, height = 0;
        in.beginStructure();
        in >> x >> y >> width >> height;
        in.endStructure();
        element.rect = QRect(x, y, width, height);
    }
    for (const Node &child : children(node)) {
        if (Element shown = read(child); !shown.role.isEmpty())
            element.children.push_back(std::move(shown));
    }
    return element;
}

} // namespace velorinth
