#include "app/gnome_status_item.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QSystemTrayIcon>
#include <QtEndian>

namespace velorinth {

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");

// How GLib writes a cancelled GIO operation as a D-Bus error, and reads it back as one: the
// host takes such an answer for a dropped activation, not for an item that cannot be activated.
const QString kCancelled =
    QStringLiteral("org.gtk.GDBus.UnmappedGError.Quark._g_2dio_2derror_2dquark.Code19");

QList<ItemPixmap> pixmapsOf(const QIcon &icon)
{
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(22, 22)};
    QList<ItemPixmap> pixmaps;
    for (const QSize &size : std::as_const(sizes)) {
        const QImage image =
            icon.pixmap(size).toImage().scaled(size).convertToFormat(QImage::Format_ARGB32);
        ItemPixmap pixmap{image.width(), image.height(), QByteArray(image.sizeInBytes(), '\0')};
        auto *out = reinterpret_cast<quint32 *>(pixmap.argb.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out++ = qToBigEndian(line[x]);
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

} // namespace

QDBusArgument &operator<<(QDBusArgument &out, const ItemPixmap &pixmap)
{
    out.beginStructure();
    out << pixmap.width << pixmap.height << pixmap.argb;
    out.endStructure();
    return out;
}

const QDBusArgument &operator>>(const QDBusArgument &in, ItemPixmap &pixmap)
{
    in.beginStructure();
    in >> pixmap.width >> pixmap.height >> pixmap.argb;
    in.endStructure();
    return in;
}

bool GnomeStatusItem::hostedByGnomeShell()
{
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return false;
    const QString watcher = bus->serviceOwner(kWatcher);
    return !watcher.isEmpty() && watcher == bus->serviceOwner(QStringLiteral("org.gnome.Shell"));
}

GnomeStatusItem::GnomeStatusItem(QSystemTrayIcon &icon)
    : m_icon(icon)
    , m_bus(QDBusConnection::sessionBus())
    , m_host(
          new QDBusServiceWatcher(kWatcher, m_bus, QDBusServiceWatcher::WatchForRegistration, this))
{
    qDBusRegisterMetaType<ItemPixmap>();
    qDBusRegisterMetaType<QList<ItemPixmap>>();
    refresh();
    m_bus.registerObject(kItemPath, this,
                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties
                             | QDBusConnection::ExportAllSignals);
    // The shell restarted, or the extension was switched off and on.
    connect(m_host, &QDBusServiceWatcher::serviceRegistered, this,
            &GnomeStatusItem::registerWithHost);
    registerWithHost();
}

GnomeStatusItem::~GnomeStatusItem()
{
    m_bus.unregisterObject(kItemPath);
}

void GnomeStatusItem::registerWithHost()
{
    m_bus.send(QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                                              kWatcher,
                                              QStringLiteral("RegisterStatusNotifierItem"))
               << kItemPath);
}

void GnomeStatusItem::refresh()
{
    // A new picture comes once a minute at most, the tooltip's time once a second.
    if (m_icon.icon().cacheKey() != m_iconKey) {
        m_iconKey = m_icon.icon().cacheKey();
        m_pixmaps = pixmapsOf(m_icon.icon());
        Q_EMIT NewIcon();
    }
    // The host names the item by its title for screen readers: the time left goes with it.
    if (m_icon.toolTip() != m_title) {
        m_title = m_icon.toolTip();
        Q_EMIT NewTitle();
    }
}

QDBusObjectPath GnomeStatusItem::menu()
{
    return QDBusObjectPath(QStringLiteral("/NO_DBUSMENU"));
}

void GnomeStatusItem::Activate(int, int)
{
    if (calledFromDBus())
        sendErrorReply(kCancelled, QStringLiteral("Taken as a click."));
    Q_EMIT m_icon.activated(QSystemTrayIcon::Trigger);
}

void GnomeStatusItem::ContextMenu(int, int) { }

void GnomeStatusItem::SecondaryActivate(int, int) { }

void GnomeStatusItem::Scroll(int, const QString &) { }

} // namespace velorinth
