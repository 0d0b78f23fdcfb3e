#include "platform/linux/dbus_call.h"

#include <QTest>
#include <QUuid>

#include <memory>

using namespace velorinth;

namespace {

constexpr int kQuietPeriodMs = 500; // long enough for a wrong report to show

QDBusMessage callToNobody()
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.example.Nobody"), QStringLiteral("/"),
                                          QStringLiteral("org.example.Nobody"),
                                          QStringLiteral("Hello"));
}

QDBusConnection deadBus()
{
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                         QUuid::createUuid().toString());
}

} // namespace

class tst_DBusCall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void reportsAnUnansweredCall_data();
    void reportsAnUnansweredCall();
    void staysSilentOnceTheCallerIsGone_data();
    void staysSilentOnceTheCallerIsGone();
};

void tst_DBusCall::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("DBUS_SESSION_BUS_ADDRESS is not set: run through tools/with-test-services.sh");
}

void tst_DBusCall::reportsAnUnansweredCall_data()
{
    QTest::addColumn<bool>("busReachable");
    QTest::addColumn<QString>("errorMentions");
    QTest::newRow("nobody owns the name") << true << QStringLiteral("org.example.Nobody");
    QTest::newRow("no bus at all") << false << QStringLiteral("D-Bus");
}

void tst_DBusCall::reportsAnUnansweredCall()
{
    QFETCH(bool, busReachable);
    QFETCH(QString, errorMentions);
    QObject caller;
    QStringList errors;

    callAsync(busReachable ? QDBusConnection::sessionBus() : deadBus(), callToNobody(), &caller,
              [&errors](const QString &error) { errors << error; });

    QTRY_COMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(errorMentions), qPrintable(errors.first()));
}

void tst_DBusCall::staysSilentOnceTheCallerIsGone_data()
{
    reportsAnUnansweredCall_data();
}

void tst_DBusCall::staysSilentOnceTheCallerIsGone()
{
    QFETCH(bool, busReachable);
    auto caller = std::make_unique<QObject>();
    bool reported = false;

    callAsync(busReachable ? QDBusConnection::sessionBus() : deadBus(), callToNobody(),
              caller.get(), [&reported](const QString &) { reported = true; });
    caller.reset();

    QTest::qWait(kQuietPeriodMs);
    QVERIFY(!reported);
}

QTEST_GUILESS_MAIN(tst_DBusCall)
#include "tst_dbus_call.moc"
