#include "e2e/screen_reader.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
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
// Deeper than any window of the app nests its elements.
constexpr int kDeepest = 64;

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

// A reference to an element on the bus, (so).
std::pair<QString, QString> reference(const QDBusArgument &in)
{
    QString service;
    QDBusObjectPath path;
    in.beginStructure();
    in >> service >> path;
    in.endStructure();
    return {service, path.path()};
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
    if (!m_bus.isConnected())
        return;
    m_bus.connect(QString(), QString(), "org.a11y.atspi.Event.Object", "StateChanged", this,
                  SLOT(stateChanged(QDBusMessage)));
    QDBusMessage listen =
        QDBusMessage::createMethodCall("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                       "org.a11y.atspi.Registry", "RegisterEvent");
    listen << QStringLiteral("Object:StateChanged:Showing") << QStringList() << QString();
    m_bus.call(listen, QDBus::Block, kCallMs);
}

ScreenReader::~ScreenReader()
{
    QDBusConnection::disconnectFromBus(m_bus.name());
}

bool ScreenReader::isConnected() const
{
    return m_bus.isConnected();
}

void ScreenReader::stateChanged(const QDBusMessage &message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.value(0).toString() == "showing" && arguments.value(1).toInt() == 1)
        m_shown.insert({message.service(), message.path()});
}

std::vector<Element> ScreenReader::windowsOf(qint64 pid)
{
    const QString service = serviceOf(pid);
    if (service.isEmpty())
        return {};
    for (auto node = m_shown.begin(); node != m_shown.end();) {
        if (node->service == service) {
            if (const Node window = windowHolding(*node); !window.path.isEmpty())
                m_windows.insert(window);
            node = m_shown.erase(node);
        } else {
            ++node;
        }
    }
    QSet<Node> windows;
    for (const auto &[owner, path] : children({service, kRoot}))
        windows.insert({owner, path});
    for (const Node &window : std::as_const(m_windows)) {
        if (window.service == service)
            windows.insert(window);
    }
    std::vector<Element> shown;
    for (const Node &window : std::as_const(windows)) {
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

std::vector<std::pair<QString, QString>> ScreenReader::children(const Node &node) const
{
    std::vector<std::pair<QString, QString>> found;
    const QVariant listed = call(node, kAccessible, "GetChildren", {}).arguments().value(0);
    if (!listed.canConvert<QDBusArgument>())
        return found;
    const auto in = listed.value<QDBusArgument>();
    in.beginArray();
    while (!in.atEnd())
        found.push_back(reference(in));
    in.endArray();
    return found;
}

ScreenReader::Node ScreenReader::windowHolding(const Node &node) const
{
    Node child = node;
    for (int depth = 0; depth < kDeepest; ++depth) {
        const QVariant parent = property(child, "Parent");
        if (!parent.canConvert<QDBusArgument>())
            return {};
        const auto [service, path] = reference(parent.value<QDBusArgument>());
        if (path == kRoot)
            return child;
        child = {service, path};
    }
    return {};
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
        const auto in = extents.value<QDBusArgument>();
        int x = 0, y = 0, width = 0, height = 0;
        in.beginStructure();
        in >> x >> y >> width >> height;
        in.endStructure();
        element.rect = QRect(x, y, width, height);
    }
    for (const auto &[service, path] : children(node)) {
        if (Element child = read({service, path}); !child.role.isEmpty())
            element.children.push_back(std::move(child));
    }
    return element;
}

} // namespace velorinth
