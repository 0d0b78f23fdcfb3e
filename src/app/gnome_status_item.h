#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>

class QDBusServiceWatcher;
class QSystemTrayIcon;

namespace velorinth {

// One picture of an item's icon as StatusNotifierItem hosts take it: ARGB in network order.
struct ItemPixmap
{
    int width = 0;
    int height = 0;
    QByteArray argb;
};

// The tray icon in GNOME Shell's top bar, where the AppIndicator extension hosts the
// StatusNotifierItems, shown in place of Qt's own item. That host activates an item on a single
// click only until one activation has been answered; from then on only double clicks reach it.
// This item answers each activation as cancelled, which the host takes without a word, so every
// click stays a click. It shows what the Qt tray icon it stands for holds, and reports each
// activation as that icon's click.
class GnomeStatusItem final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QList<velorinth::ItemPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    // Whether GNOME Shell hosts the session's StatusNotifierItems.
    [[nodiscard]] static bool hostedByGnomeShell();

    // Registers the item with the shell, now and whenever the shell's host comes back.
    explicit GnomeStatusItem(QSystemTrayIcon &icon);
    ~GnomeStatusItem() override;

    // Takes the icon's picture and tooltip again.
    void refresh();

public Q_SLOTS:
    void Activate(int x, int y);
    // The right button and the wheel do nothing.
    void ContextMenu(int x, int y);
    void SecondaryActivate(int x, int y);
    void Scroll(int delta, const QString &orientation);

Q_SIGNALS:
    void NewIcon();
    void NewTitle();

private:
    void registerWithHost();
    [[nodiscard]] static QString category() { return QStringLiteral("ApplicationStatus"); }
    [[nodiscard]] static QString id() { return QStringLiteral("velorinth"); }
    [[nodiscard]] QString title() const { return m_title; }
    [[nodiscard]] static QString status() { return QStringLiteral("Active"); }
    [[nodiscard]] static int windowId() { return 0; }
    [[nodiscard]] static QString iconName() { return {}; }
    [[nodiscard]] QList<ItemPixmap> iconPixmap() const { return m_pixmaps; }
    [[nodiscard]] static bool itemIsMenu() { return false; }
    [[nodiscard]] static QDBusObjectPath menu();

    QSystemTrayIcon &m_icon;
    QDBusConnection m_bus;
    QDBusServiceWatcher *m_host;
    QString m_title;
    qint64 m_iconKey = 0;
    QList<ItemPixmap> m_pixmaps;
};

} // namespace velorinth

Q_DECLARE_METATYPE(velorinth::ItemPixmap)
