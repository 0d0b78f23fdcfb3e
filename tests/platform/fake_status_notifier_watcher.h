#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QStringList>

namespace velorinth {

// The tray as KDE's and GNOME's hosts run it on the session bus: while this watcher says a host
// is there, Qt shows the tray icon as a StatusNotifierItem instead of embedding a window, and
// the test reads the item as such a host does. Asynchronous, so it shares the test's thread,
// and so may the item.
class FakeStatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registered)

public:
    // One of an item's pictures, (iiay): width, height, ARGB pixels in network order.
    struct Picture
    {
        int width = 0;
        int height = 0;
        QByteArray pixels;
        bool operator==(const Picture &) const = default;
    };

    FakeStatusNotifierWatcher();
    ~FakeStatusNotifierWatcher() override;

    // Takes the watcher's name on a connection of its own, also `alsoOwned` (as GNOME Shell
    // does, which runs the watcher itself); false when it could not.
    [[nodiscard]] bool start(const QStringList &alsoOwned = {});
    [[nodiscard]] bool isHostRegistered() const { return true; }
    // How many times items registered.
    [[nodiscard]] int registrations() const { return int(m_items.size()); }

    // Of the item registered last: its tooltip's title, its title, and its pictures.
    [[nodiscard]] QString toolTip() const;
    [[nodiscard]] QString title() const;
    [[nodiscard]] QList<Picture> pictures() const;
    // A click on the item, as the host reports it; the item's answer.
    QDBusMessage activate(QPoint point);

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message);

private:
    struct Item
    {
        QString service;
        QString path;
    };

    [[nodiscard]] QStringList registered() const;
    [[nodiscard]] QDBusMessage itemCall(const QString &interface, const QString &method) const;
    // Empty while no item answers.
    [[nodiscard]] QVariant itemProperty(const QString &name) const;

    QDBusConnection m_bus;
    QList<Item> m_items;
};

} // namespace velorinth
