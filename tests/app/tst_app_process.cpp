// The real executable, as the desktop runs it: quitting on a signal, a second launch handing
// over to the first, and a crashed instance leaving the way free.
#include "app/main_window.h"
#include "app/open_main_window.h"
#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace velorinth;

namespace {

constexpr int kProcessTimeoutMs = 20000;

// A home of its own for one run of the app, on the test display with its tray.
struct Run
{
    explicit Run(const QString &runtime)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        environment.insert("XDG_RUNTIME_DIR", runtime);
        environment.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(environment);
    }

    [[nodiscard]] QString settingsPath() const
    {
        return home.filePath(".config/Velorinth/Velorinth.conf");
    }

    void start() { process.start(VELORINTH_EXECUTABLE, QStringList()); }

    QTemporaryDir home;
    QProcess process;
};

} // namespace

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
    // Started once it answers later launches.
    void startAndWait(Run &run);

    std::unique_ptr<QTemporaryDir> m_runtime;
};

void tst_AppProcess::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(m_runtime->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void tst_AppProcess::startAndWait(Run &run)
{
    run.start();
    QVERIFY(run.process.waitForStarted(kProcessTimeoutMs));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime->filePath("velorinth.socket")),
                             kProcessTimeoutMs);
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
    Run run(m_runtime->path());
    { // the LED option left on: quitting stores it off, proof that cleanup ran
        QSettings settings(run.settingsPath(), QSettings::IniFormat);
        settings.setValue("isLEDOff", true);
    }
    startAndWait(run);

    ::kill(pid_t(run.process.processId()), signal);

    QVERIFY(run.process.waitForFinished(kProcessTimeoutMs));
    QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.process.exitCode(), 0);
    QSettings settings(run.settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value("isLEDOff").toBool(), false);
}

void tst_AppProcess::secondLaunchHandsOver()
{
    SingleInstance first(m_runtime->path());
    QVERIFY(first.claim());
    auto *content = new QWidget;
    content->setFixedSize(320, 560);
    MainWindow window(content);
    connect(&first, &SingleInstance::reopenRequested, this, &openMainWindow);
    Run second(m_runtime->path());

    second.start();
    // The first answers on this event loop, so no blocking wait here.
    QTRY_COMPARE_WITH_TIMEOUT(second.process.state(), QProcess::NotRunning, kProcessTimeoutMs);

    QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process.exitCode(), 0);
    QVERIFY(window.isVisible());
    QVERIFY(!QFile::exists(second.settingsPath())); // it built no engine
}

void tst_AppProcess::crashedInstanceLeavesTheWayFree()
{
    Run crashed(m_runtime->path());
    startAndWait(crashed);
    crashed.process.kill();
    QVERIFY(crashed.process.waitForFinished(kProcessTimeoutMs));
    QVERIFY(QFile::exists(m_runtime->filePath("velorinth.socket")));

    SingleInstance next(m_runtime->path());
    QVERIFY(next.claim());

    QLocalSocket probe;
    probe.connectToServer(m_runtime->filePath("velorinth.socket"));
    QVERIFY(probe.waitForConnected(kProcessTimeoutMs));
}

QTEST_MAIN(tst_AppProcess)
#include "tst_app_process.moc"
