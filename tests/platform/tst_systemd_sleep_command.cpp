#include "support/environment_override.h"
#include "fake_login_manager.h"
#include "platform/linux/systemd_sleep_command.h"
#include "support/stub_program.h"

#include <QDBusConnectionInterface>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace velorinth;

namespace {

constexpr int kNoSystemctl = -1;
constexpr int kQuietPeriodMs = 500; // long enough for a wrong fallback or report to show

bool logindIsOnTheBus()
{
    return QDBusConnection::systemBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.login1"));
}

} // namespace

class tst_SystemdSleepCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void suspendsThroughSystemctlOrLogind_data();
    void suspendsThroughSystemctlOrLogind();

private:
    std::unique_ptr<QTemporaryDir> m_binDirectory;
};

void tst_SystemdSleepCommand::initTestCase()
{
    // The fallback really asks logind to suspend: only ever on the private bus.
    const QByteArray systemBus = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (systemBus.isEmpty() || systemBus.contains("/run/dbus/system_bus_socket"))
        QFAIL("DBUS_SYSTEM_BUS_ADDRESS is not a private bus: run through "
              "tools/with-test-services.sh");
}

void tst_SystemdSleepCommand::init()
{
    m_binDirectory = std::make_unique<QTemporaryDir>();
    QTRY_VERIFY(!logindIsOnTheBus()); // the previous row's logind has left
}

void tst_SystemdSleepCommand::suspendsThroughSystemctlOrLogind_data()
{
    QTest::addColumn<int>("systemctlExit");
    QTest::addColumn<bool>("logindOnBus");
    QTest::addColumn<QString>("logindRefusal");
    QTest::addColumn<bool>("fallsBack");
    QTest::addColumn<QString>("failureMentions"); // empty: nothing reported

    const QString refusal = QStringLiteral("Interactive authentication required.");
    QTest::newRow("systemctl succeeds") << 0 << true << refusal << false << QString();
    QTest::newRow("systemctl fails, logind suspends")
        << 1 << true << QString() << true << QString();
    QTest::newRow("systemctl fails, logind refuses") << 1 << true << refusal << true << refusal;
    QTest::newRow("no systemctl, logind suspends")
        << kNoSystemctl << true << QString() << true << QString();
    QTest::newRow("no systemctl, logind refuses")
        << kNoSystemctl << true << refusal << true << refusal;
    QTest::newRow("no systemctl, no logind")
        << kNoSystemctl << false << QString() << false << QStringLiteral("org.freedesktop.login1");
}

void tst_SystemdSleepCommand::suspendsThroughSystemctlOrLogind()
{
    QFETCH(int, systemctlExit);
    QFETCH(bool, logindOnBus);
    QFETCH(QString, logindRefusal);
    QFETCH(bool, fallsBack);
    QFETCH(QString, failureMentions);

    std::optional<StubProgram> systemctl;
    if (systemctlExit != kNoSystemctl)
        systemctl.emplace(m_binDirectory->path(), QStringLiteral("systemctl"),
                          StubBehaviour{.exitCode = systemctlExit});
    const EnvironmentOverride path("PATH", QFile::encodeName(m_binDirectory->path()));
    FakeLoginManager logind(logindRefusal);
    if (logindOnBus)
        QVERIFY(logind.start());
    QObject caller;
    QStringList failures;

    SystemdSleepCommand().suspend(&caller,
                                  [&failures](const QString &reason) { failures << reason; });

    if (systemctl)
        QTRY_COMPARE(systemctl->calls(), QList<QStringList>{{QStringLiteral("suspend")}});
    if (fallsBack)
        QTRY_COMPARE(logind.suspendCalls(), QList<bool>{true});
    if (failureMentions.isEmpty()) {
        QTest::qWait(kQuietPeriodMs);
        QCOMPARE(failures, QStringList());
    } else {
        QTRY_COMPARE(failures.size(), 1);
        QVERIFY2(failures.first().contains(failureMentions), qPrintable(failures.first()));
    }
    QCOMPARE(logind.suspendCalls().size(), fallsBack ? 1 : 0);
}

QTEST_GUILESS_MAIN(tst_SystemdSleepCommand)
#include "tst_systemd_sleep_command.moc"
