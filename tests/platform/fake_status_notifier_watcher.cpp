#include "fake_status_notifier_watcher.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QUuid>

namespace velorinth {

using Picture = FakeStatusNotifierWatcher::Picture;

const QDBusArgument &operator>>(const QDBusArgument &in, Picture &picture)
{
    in.beginStructure();
    in >> picture.width >> picture.height >> picture.pixels;
    in.endStructure();
    return in;
}

FakeStatusNotifierWatcher::FakeStatusNotifierWatcher()
    : m_bus(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QUuid::createUuid().toString()))
{
}

FakeStatusNotifierWatcher::~FakeStatusNotifierWatcher()
{
    QDBusConnection::disconnectFromBus(m_bus.name());
}

bool FakeStatusNotifierWatcher::start(const QStringList &alsoOwned)
{
    bool started = m_bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                        QDBusConnection::ExportAllContents)
        && m_bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    for (const QString &name : alsoOwned)
        started = started && m_bus.registerService(name);
    return started;
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierItem(const QString &service,
                                                           const QDBusMessage &message)
{
    // A path stands for an item of the caller's connection.
    if (service.startsWith(QLatin1Char('/')))
        m_items.append({message.service(), service});
    else
        m_items.append({service, QStringLiteral("/StatusNotifierItem")});
}

QStringList FakeStatusNotifierWatcher::registered() const
{
    QStringList services;
    for (const Item &item : m_items)
        services << item.service + item.path;
    return services;
}

QString FakeStatusNotifierWatcher::toolTip() const
{
    const auto tip = itemProperty(QStringLiteral("ToolTip")).value<QDBusArgument>(); // (sa(iiay)ss)
    QString iconName;
    QList<Picture> pictures;
    QString title;
    if (tip.currentType() == QDBusArgument::StructureType) {
        tip.beginStructure();
        tip >> iconName >> pictures >> title;
        tip.endStructure();
    }
    return title;
}

QString FakeStatusNotifierWatcher::title() const
{
    return itemProperty(QStringLiteral("Title")).toString();
}

QList<Picture> FakeStatusNotifierWatcher::pictures() const
{
    const auto listed = itemProperty(QStringLiteral("IconPixmap")).value<QDBusArgument>();
    QList<Picture> pictures;
    if (listed.currentType() == QDBusArgument::ArrayType)
        listed >> pictures;
    return pictures;
}

QDBusMessage FakeStatusNotifierWatcher::activate(QPoint point)
{
    return m_bus.call(
        itemCall(QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"))
            << point.x() << point.y(),
        QDBus::BlockWithGui);
}

QDBusMessage FakeStatusNotifierWatcher::itemCall(const QString &interface,
                                                 const QString &method) const
{
    const Item item = m_items.value(m_items.size() - 1);
    return QDBusMessage::createMethodCall(item.service, item.path, interface, method);
}

QVariant FakeStatusNotifierWatcher::itemProperty(const QString &name) const
{
    const QDBusMessage get =
        itemCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
        << QStringLiteral("org.kde.StatusNotifierItem") << name;
    // With the event loop running: the item may live on the caller's thread.
    return m_bus.call(get, QDBus::BlockWithGui)
        .arguments()
        .value(0)
        .value<QDBusVariant>()
        .variant();
}

} // namespace velorinth
