#include "fake_notification_server.h"
#include "platform/linux/freedesktop_notifier.h"

#include <QDBusConnectionInterface>
#include <QTest>

using namespace velorinth;

namespace {

constexpr int kQuietPeriodMs = 500; // long enough for a wrong notification or report to show

NotificationRequest preSleepReminder(double delaySeconds)
{
    return {QStringLiteral("VelorinthPreSleep"), QStringLiteral("Velorinth"),
            QStringLiteral("Mise en veille imminente... 💤"), delaySeconds};
}

bool serverIsOnTheBus()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.Notifications"));
}

} // namespace

class tst_FreedesktopNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void showsADueRequestOnce();
    void neverShowsAWithdrawnRequest_data();
    void neverShowsAWithdrawnRequest();
    void authorizesQuietlyWhenAServerAnswers();
    void reportsAMissingServer();
};

void tst_FreedesktopNotifier::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("DBUS_SESSION_BUS_ADDRESS is not set: run through tools/with-test-services.sh");
}

void tst_FreedesktopNotifier::init()
{
    QTRY_VERIFY(!serverIsOnTheBus()); // the previous test's server has left
}

void tst_FreedesktopNotifier::showsADueRequestOnce()
{
    FakeNotificationServer server;
    QVERIFY(server.start());
    FreedesktopNotifier notifier;

    notifier.add(preSleepReminder(0.2));

    QTRY_COMPARE(server.shown().size(), 1);
    const FakeNotificationServer::Notification shown = server.shown().first();
    QCOMPARE(shown.appName, QStringLiteral("Velorinth"));
    QCOMPARE(shown.replacesId, 0u);
    // The installed icon and menu entry: the desktop shows the app's icon and groups it there.
    QCOMPARE(shown.appIcon, QStringLiteral("velorinth"));
    QCOMPARE(shown.hints.value(QStringLiteral("desktop-entry")), QStringLiteral("velorinth"));
    QCOMPARE(shown.summary, QStringLiteral("Velorinth"));
    QCOMPARE(shown.body, QStringLiteral("Mise en veille imminente... 💤"));
    QCOMPARE(shown.actions, QStringList());
    QVERIFY(shown.hints.contains(QStringLiteral("sound-name")));
    QCOMPARE(shown.expireTimeout, -1);
    QTest::qWait(kQuietPeriodMs);
    QCOMPARE(server.shown().size(), 1);
}

void tst_FreedesktopNotifier::neverShowsAWithdrawnRequest_data()
{
    QTest::addColumn<bool>("replaced"); // else cancelled, then another one added
    QTest::newRow("cancelled") << false;
    QTest::newRow("replaced") << true;
}

void tst_FreedesktopNotifier::neverShowsAWithdrawnRequest()
{
    QFETCH(bool, replaced);
    FakeNotificationServer server;
    QVERIFY(server.start());
    FreedesktopNotifier notifier;
    NotificationRequest withdrawn = preSleepReminder(0.2);
    withdrawn.body = QStringLiteral("withdrawn");
    NotificationRequest later = preSleepReminder(0.4);
    later.body = QStringLiteral("later");
    if (!replaced)
        later.identifier = QStringLiteral("Other");

    notifier.add(withdrawn);
    if (!replaced)
        notifier.removeAllPending();
    notifier.add(later);

    // The later one comes after the withdrawn one's time: had it been sent, it would be first.
    QTRY_COMPARE(server.shown().size(), 1);
    QCOMPARE(server.shown().first().body, QStringLiteral("later"));
}

void tst_FreedesktopNotifier::authorizesQuietlyWhenAServerAnswers()
{
    FakeNotificationServer server;
    QVERIFY(server.start());
    QObject caller;
    QStringList errors;

    FreedesktopNotifier().requestAuthorization(
        &caller, [&errors](const QString &error) { errors << error; });

    QTRY_COMPARE(server.informationRequests(), 1);
    QTest::qWait(kQuietPeriodMs);
    QCOMPARE(errors, QStringList());
}

void tst_FreedesktopNotifier::reportsAMissingServer()
{
    FreedesktopNotifier notifier;
    QObject caller;
    QStringList errors;

    notifier.requestAuthorization(&caller, [&errors](const QString &error) { errors << error; });
    notifier.add(preSleepReminder(0.1));

    QTRY_COMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QStringLiteral("org.freedesktop.Notifications")),
             qPrintable(errors.first()));
    QTest::qWait(kQuietPeriodMs); // the due request goes nowhere, quietly
    QCOMPARE(errors.size(), 1);
}

QTEST_GUILESS_MAIN(tst_FreedesktopNotifier)
#include "tst_freedesktop_notifier.moc"
