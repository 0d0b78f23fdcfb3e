// The app's own tray item for GNOME Shell's top bar, read and clicked as the AppIndicator
// extension does it, on the test's private session bus.
#include "app/gnome_status_item.h"
#include "platform/fake_status_notifier_watcher.h"

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QtTest>

using namespace velorinth;

namespace {

const QString kShell = QStringLiteral("org.gnome.Shell");

QIcon plainIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(22, 22);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// What GNOME's host makes of the item's answer to an activation: "cancelled" when GLib reads it
// as a cancelled operation, which the host passes over; "other" for any other error, after
// which it stops single clicks; "done" for a plain answer, after which it does too.
QString hostsReading(const QString &itemService)
{
    const QString script = QStringLiteral(R"(
const {Gio, GLib} = imports.gi;
try {
    Gio.DBus.session.call_sync('%1', '/StatusNotifierItem', 'org.kde.StatusNotifierItem',
        'Activate', new GLib.Variant('(ii)', [10, 10]), null, Gio.DBusCallFlags.NONE, -1, null);
    print('done');
} catch (e) {
    print(e.matches(Gio.IOErrorEnum, Gio.IOErrorEnum.CANCELLED) ? 'cancelled' : 'other');
})")
                               .arg(itemService);
    QProcess gjs;
    gjs.start(QStringLiteral("gjs"), {QStringLiteral("-c"), script});
    // The item answers on this thread: the events must run meanwhile.
    if (!QTest::qWaitFor([&] { return gjs.state() == QProcess::NotRunning; }, 30000))
        return QStringLiteral("no answer");
    return QString::fromUtf8(gjs.readAllStandardOutput()).trimmed();
}

} // namespace

class tst_GnomeStatusItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void onlyGnomeShellHostsIt_data();
    void onlyGnomeShellHostsIt();
    void everyActivationIsOneClick();
    void followsTheIconAndItsTime_data();
    void followsTheIconAndItsTime();
    void registersAgainWhenTheHostReturns();
};

void tst_GnomeStatusItem::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("DBUS_SESSION_BUS_ADDRESS is not set: run through tools/with-test-services.sh");
}

void tst_GnomeStatusItem::onlyGnomeShellHostsIt_data()
{
    QTest::addColumn<bool>("watcher");
    QTest::addColumn<QStringList>("watcherAlsoOwns");
    QTest::addColumn<bool>("hosted");

    QTest::newRow("GNOME Shell runs the watcher") << true << QStringList{kShell} << true;
    QTest::newRow("another program runs it") << true << QStringList() << false;
    QTest::newRow("no watcher") << false << QStringList() << false;
}

void tst_GnomeStatusItem::onlyGnomeShellHostsIt()
{
    QFETCH(bool, watcher);
    QFETCH(QStringList, watcherAlsoOwns);
    FakeStatusNotifierWatcher host;
    if (watcher)
        QVERIFY(host.start(watcherAlsoOwns));
    QTEST(GnomeStatusItem::hostedByGnomeShell(), "hosted");
}

void tst_GnomeStatusItem::everyActivationIsOneClick()
{
    QSystemTrayIcon icon; // first: Qt asks the watcher, of this thread, whether a host is there
    FakeStatusNotifierWatcher host;
    QVERIFY(host.start({kShell}));
    GnomeStatusItem item(icon);
    QTRY_COMPARE(host.registrations(), 1);
    QSignalSpy clicks(&icon, &QSystemTrayIcon::activated);

    for (int click = 1; click <= 3; ++click) {
        // Never a plain answer: the host would then take only double clicks.
        QCOMPARE(host.activate({10, 10}).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(clicks.size(), click);
        QCOMPARE(clicks.last().value(0).value<QSystemTrayIcon::ActivationReason>(),
                 QSystemTrayIcon::Trigger);
    }
    QCOMPARE(hostsReading(QDBusConnection::sessionBus().baseService()), "cancelled");
    QCOMPARE(clicks.size(), 4);
}

void tst_GnomeStatusItem::followsTheIconAndItsTime_data()
{
    QTest::addColumn<QIcon>("icon");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<int>("newIcons");
    QTest::addColumn<int>("newTitles");

    // From a red icon and "Velorinth".
    QTest::newRow("a new picture and time") << plainIcon(Qt::blue) << "Velorinth 29:00" << 1 << 1;
    // A tray redraws the icon at each NewIcon: not once a second.
    QTest::newRow("a new time alone") << QIcon() << "Velorinth 29:59" << 0 << 1;
    QTest::newRow("nothing new") << QIcon() << "Velorinth" << 0 << 0;
}

void tst_GnomeStatusItem::followsTheIconAndItsTime()
{
    QFETCH(QIcon, icon);
    QFETCH(QString, toolTip);
    QSystemTrayIcon trayIcon(plainIcon(Qt::red));
    trayIcon.setToolTip("Velorinth");
    FakeStatusNotifierWatcher host;
    QVERIFY(host.start({kShell}));
    GnomeStatusItem item(trayIcon);
    QTRY_COMPARE(host.registrations(), 1);
    QSignalSpy newIcons(&item, &GnomeStatusItem::NewIcon);
    QSignalSpy newTitles(&item, &GnomeStatusItem::NewTitle);

    if (!icon.isNull())
        trayIcon.setIcon(icon);
    trayIcon.setToolTip(toolTip);
    item.refresh();

    QTEST(int(newIcons.size()), "newIcons");
    QTEST(int(newTitles.size()), "newTitles");
    QCOMPARE(host.title(), toolTip); // the host's name for the item, read out to screen readers
    const QList<FakeStatusNotifierWatcher::Picture> pictures = host.pictures();
    QVERIFY(!pictures.isEmpty());
    const FakeStatusNotifierWatcher::Picture &picture = pictures.first();
    QCOMPARE(picture.pixels.size(), picture.width * picture.height * 4);
    const QByteArray opaque = QByteArray::fromHex(icon.isNull() ? "ffff0000" : "ff0000ff");
    QCOMPARE(picture.pixels.first(4), opaque); // alpha, red, green, blue
}

void tst_GnomeStatusItem::registersAgainWhenTheHostReturns()
{
    QSystemTrayIcon icon;
    auto first = std::make_unique<FakeStatusNotifierWatcher>();
    QVERIFY(first->start({kShell}));
    GnomeStatusItem item(icon);
    QTRY_COMPARE(first->registrations(), 1);

    first.reset(); // the shell restarts
    QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kShell));
    FakeStatusNotifierWatcher second;
    QVERIFY(second.start({kShell}));

    QTRY_COMPARE(second.registrations(), 1);
}

QTEST_MAIN(tst_GnomeStatusItem)
#include "tst_gnome_status_item.moc"
