// The real executable on the test display with its tray: quitting on a signal, a second launch
// handing over to the first, and a crashed instance leaving the way free.
#include "app/main_window.h"
#include "app/open_main_window.h"
#include "app/single_instance.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace velorinth;

namespace {
constexpr int kTimeoutMs = 20000;
}

class tst_AppProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void signalQuitsCleanly_data();
    void signalQuitsCleanly();
    void secondLaunchHandsOver();
    void crashedInstanceLeavesTheWayFree();

private:
    [[nodiscard]] QString settingsPath() const
    {
        return m_home->filePath(".config/Velorinth/Velorinth.conf");
    }
    // With its own home, and the runtime directory where instances find each other.
    void start();
    // Until it answers later launches.
    void startAndWait();

    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QProcess> m_app; // killed, if still running, when it goes
};

void tst_AppProcess::init()
{
    m_app = std::make_unique<QProcess>();
    m_home = std::make_unique<QTemporaryDir>();
    m_runtime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(m_runtime->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void tst_AppProcess::start()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_home->filePath(".config"));
    environment.insert("XDG_RUNTIME_DIR", m_runtime->path());
    environment.remove("QT_QPA_PLATFORM");
    m_app->setProcessEnvironment(environment);
    m_app->start(VELORINTH_EXECUTABLE, QStringList());
}

void tst_AppProcess::startAndWait()
{
    start();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime->filePath("velorinth.socket")), kTimeoutMs);
}

void tst_AppProcess::signalQuitsCleanly_data()
{
    QTest::addColumn<int>("signal");

    QTest::newRow("SIGTERM, as at logout") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void tst_AppProcess::signalQuitsCleanly()
{
    QFETCH(int, signal);
    // The LED option left on: quitting stores it off, the sign that the cleanup ran.
    QSettings(settingsPath(), QSettings::IniFormat).setValue("isLEDOff", true);
    startAndWait();

    ::kill(pid_t(m_app->processId()), signal);

    QVERIFY(m_app->waitForFinished(kTimeoutMs));
    QCOMPARE(m_app->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_app->exitCode(), 0);
    QCOMPARE(QSettings(settingsPath(), QSettings::IniFormat).value("isLEDOff").toBool(), false);
}

void tst_AppProcess::secondLaunchHandsOver()
{
    SingleInstance first(m_runtime->path());
    QVERIFY(first.claim());
    auto *content = new QWidget;
    content->setFixedSize(320, 560);
    MainWindow window(content);
    connect(&first, &SingleInstance::reopenRequested, this, &openMainWindow);

    start();
    // The first answers on this event loop: no blocking wait here.
    QTRY_COMPARE_WITH_TIMEOUT(m_app->state(), QProcess::NotRunning, kTimeoutMs);

    QCOMPARE(m_app->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_app->exitCode(), 0);
    QVERIFY(window.isVisible());
    QVERIFY(!QFile::exists(settingsPath())); // it built no engine
}

void tst_AppProcess::crashedInstanceLeavesTheWayFree()
{
    startAndWait();
    m_app->kill();
    QVERIFY(m_app->waitForFinished(kTimeoutMs));

    SingleInstance next(m_runtime->path());
    QVERIFY(next.claim());
    QLocalSocket probe;
    probe.connectToServer(m_runtime->filePath("velorinth.socket"));
    QVERIFY(probe.waitForConnected(kTimeoutMs));
}

QTEST_MAIN(tst_AppProcess)
#include "tst_app_process.moc"
