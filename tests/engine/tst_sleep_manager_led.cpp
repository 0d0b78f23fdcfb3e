#include "sleep_manager_rig.h"
#include "support/environment_override.h"
#include "support/stub_program.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace velorinth;

namespace {

constexpr int kProcessTimeoutMs = 20000; // a loaded machine can be slow to fork

const QStringList kOff{"magsafe-led", "always-off"};
const QStringList kOn{"magsafe-led", "enable"};

mode_t posixMode(const QString &path)
{
    struct stat info
    { };
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

} // namespace

class tst_SleepManagerLED : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void battOutcome_data();
    void battOutcome();
    void optionDrivesTheLEDAndIsStored();
    void optionWithoutBattOffersTheInstaller_data();
    void optionWithoutBattOffersTheInstaller();
    void storedOptionIsReappliedAtStart_data();
    void storedOptionIsReappliedAtStart();
    void quitWithBattGoneSaysSo();
    void quitStopsABattThatNeverAnswers();

    void oneInstallerScriptExactAndPrivate();
    void installerNeverFollowsAPlantedLink();
    void installerAvoidsASharedRuntimeDir();
    void installFailureIsShown_data();
    void installFailureIsShown();

private:
    void start(const QString &battPath = {}, const QVariantMap &stored = {});
    [[nodiscard]] StubProgram makeBatt(const StubBehaviour &behaviour = {}) const;
    [[nodiscard]] QString missingBatt() const { return m_bin->filePath("absent"); }
    // Runs one more command that fails with a known text and waits for its
    // report: commands run one at a time, so everything before has reported.
    void settle(StubProgram &batt);
    void finishInstall();

    std::unique_ptr<SleepManagerRig> m_rig;
    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<EnvironmentOverride> m_runtimeVariable;
};

void tst_SleepManagerLED::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    m_runtimeVariable =
        std::make_unique<EnvironmentOverride>("XDG_RUNTIME_DIR", m_runtime->path().toUtf8());
    m_bin = std::make_unique<QTemporaryDir>();
}

void tst_SleepManagerLED::start(const QString &battPath, const QVariantMap &stored)
{
    m_rig = std::make_unique<SleepManagerRig>("2026-06-10T23:00:00", stored, battPath);
}

void tst_SleepManagerLED::cleanup()
{
    m_rig.reset();
    m_bin.reset();
    m_runtimeVariable.reset();
    m_runtime.reset();
}

StubProgram tst_SleepManagerLED::makeBatt(const StubBehaviour &behaviour) const
{
    return StubProgram(m_bin->path(), "batt", behaviour);
}

void tst_SleepManagerLED::settle(StubProgram &batt)
{
    batt.rewrite({.exitCode = 3, .output = "settled\n"});
    m_rig->manager->setLEDOff(false);
    QTRY_COMPARE_WITH_TIMEOUT(m_rig->manager->errorMessage(),
                              std::optional<QString>("Erreur LED: settled\n"), kProcessTimeoutMs);
}

void tst_SleepManagerLED::battOutcome_data()
{
    QTest::addColumn<StubBehaviour>("behaviour");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("adminFailure");
    QTest::addColumn<QString>("expectedError"); // before the settling run's
    QTest::addColumn<int>("expectedAdminRuns");

    QTest::newRow("success says nothing") << StubBehaviour{.output = "LED off\n"} << true << ""
                                          << "" << 0;
    QTest::newRow("daemon down on stderr")
        << StubBehaviour{.exitCode = 1, .errorOutput = "error: daemon not running\n"} << true << ""
        << "" << 1;
    QTest::newRow("daemon down, admin refused")
        << StubBehaviour{.exitCode = 1, .output = "daemon not running\n"} << true
        << "Request dismissed"
        << "Erreur LED (admin): Request dismissed" << 1;
    QTest::newRow("marker is case-sensitive")
        << StubBehaviour{.exitCode = 1, .output = "Daemon Not Running\n"} << true << ""
        << "Erreur LED: Daemon Not Running\n"
        << 0;
    QTest::newRow("other failure, untrimmed")
        << StubBehaviour{.exitCode = 1, .errorOutput = "unsupported model\n"} << true << ""
        << "Erreur LED: unsupported model\n"
        << 0;
    QTest::newRow("cannot launch") << StubBehaviour{} << false << ""
                                   << "" << 1;
}

void tst_SleepManagerLED::battOutcome()
{
    QFETCH(StubBehaviour, behaviour);
    QFETCH(bool, executable);
    QFETCH(QString, adminFailure);
    QFETCH(QString, expectedError);
    QFETCH(int, expectedAdminRuns);
    StubProgram batt = makeBatt(behaviour);
    if (!executable)
        QFile::setPermissions(batt.path(), QFile::ReadOwner | QFile::WriteOwner);
    start(batt.path());
    if (!adminFailure.isEmpty())
        m_rig->fakes.privilegedShell->failure = adminFailure;
    QStringList errors;
    connect(m_rig->manager.get(), &SleepManager::errorMessageChanged, this,
            [&] { errors.append(m_rig->manager->errorMessage().value_or("(none)")); });

    m_rig->manager->setLEDOff(true);
    // The first run is over once it has recorded itself or gone the administrator's way.
    QTRY_VERIFY_WITH_TIMEOUT(batt.calls().size() == 1
                                 || !m_rig->fakes.privilegedShell->commands.isEmpty(),
                             kProcessTimeoutMs);
    settle(batt); // rewriting it makes it executable again

    const QStringList admin = m_rig->fakes.privilegedShell->commands;
    QCOMPARE(admin.size(), expectedAdminRuns);
    if (expectedAdminRuns > 0)
        QCOMPARE(admin.first(),
                 batt.path() + " daemon & sleep 1 && " + batt.path() + " magsafe-led always-off");
    QStringList expectedErrors{"Erreur LED: settled\n"};
    if (!expectedError.isEmpty())
        expectedErrors.prepend(expectedError);
    QCOMPARE(errors, expectedErrors);
}

void tst_SleepManagerLED::optionDrivesTheLEDAndIsStored()
{
    const StubProgram batt = makeBatt();
    start(batt.path());

    m_rig->manager->setLEDOff(true);
    QCOMPARE(m_rig->fakes.defaults->values.value(SettingsKeys::isLEDOff), QVariant(true));
    m_rig->manager->setLEDOff(false);
    QCOMPARE(m_rig->fakes.defaults->values.value(SettingsKeys::isLEDOff), QVariant(false));

    QTRY_COMPARE_WITH_TIMEOUT(batt.calls().size(), 2, kProcessTimeoutMs);
    QCOMPARE(batt.calls(), QList<QStringList>({kOff, kOn}));
    QVERIFY(!m_rig->manager->showBattInstallPrompt());
}

void tst_SleepManagerLED::optionWithoutBattOffersTheInstaller_data()
{
    QTest::addColumn<bool>("asked");

    QTest::newRow("switched on") << true;
    QTest::newRow("switched off") << false;
}

void tst_SleepManagerLED::optionWithoutBattOffersTheInstaller()
{
    QFETCH(bool, asked);
    start(missingBatt());
    m_rig->fakes.defaults->values.insert(SettingsKeys::isLEDOff, true); // from an earlier run
    QSignalSpy option(m_rig->manager.get(), &SleepManager::isLEDOffChanged);

    m_rig->manager->setLEDOff(asked);

    QVERIFY(!m_rig->manager->isLEDOff());
    QCOMPARE(option.count(), 2); // the asked value, then back to off
    QVERIFY(m_rig->manager->showBattInstallPrompt());
    QCOMPARE(m_rig->fakes.defaults->values.value(SettingsKeys::isLEDOff), QVariant(true));
    QVERIFY(!m_rig->manager->errorMessage());
}

void tst_SleepManagerLED::storedOptionIsReappliedAtStart_data()
{
    QTest::addColumn<bool>("battPresent");

    QTest::newRow("batt present") << true;
    QTest::newRow("batt missing") << false;
}

void tst_SleepManagerLED::storedOptionIsReappliedAtStart()
{
    QFETCH(bool, battPresent);
    const StubProgram batt = makeBatt();
    if (!battPresent)
        QFile::remove(batt.path());

    start(batt.path(), {{SettingsKeys::isLEDOff, true}});

    QVERIFY(m_rig->manager->isLEDOff());
    QVERIFY(!m_rig->manager->showBattInstallPrompt());
    QCOMPARE(m_rig->fakes.defaults->writes, 0);
    if (battPresent)
        QTRY_COMPARE_WITH_TIMEOUT(batt.calls(), QList<QStringList>{kOff}, kProcessTimeoutMs);
}

void tst_SleepManagerLED::quitWithBattGoneSaysSo()
{
    const StubProgram batt = makeBatt();
    start(batt.path());
    m_rig->manager->setLEDOff(true);
    QFile::remove(batt.path());

    m_rig->manager->cleanup();

    QVERIFY(m_rig->manager->isLEDOff());
    QCOMPARE(m_rig->manager->errorMessage(),
             std::optional<QString>("Utilitaire 'batt' introuvable à " + batt.path()));
}

void tst_SleepManagerLED::quitStopsABattThatNeverAnswers()
{
    const StubProgram batt = makeBatt();
    QFile hanging(batt.path());
    QVERIFY(hanging.open(QIODevice::WriteOnly | QIODevice::Truncate));
    hanging.write("#!/bin/sh\nexec sleep 600\n");
    hanging.close();
    start(batt.path());
    m_rig->manager->setLEDOff(true);

    m_rig->manager->cleanup();

    QVERIFY(!m_rig->manager->finishBackgroundWork(std::chrono::milliseconds(0)));
    m_rig->manager.reset(); // nothing left to wait for
}

void tst_SleepManagerLED::finishInstall()
{
    QTRY_VERIFY_WITH_TIMEOUT(!m_rig->manager->isBattInstalling(), kProcessTimeoutMs);
}

void tst_SleepManagerLED::oneInstallerScriptExactAndPrivate()
{
    start();
    QSignalSpy log(m_rig->manager.get(), &SleepManager::battInstallLogChanged);
    m_rig->manager->installBatt();
    QVERIFY(m_rig->manager->isBattInstalling());
    QCOMPARE(m_rig->manager->battInstallLog(), "Installation en cours…");
    m_rig->manager->installBatt(); // refused while the first runs
    finishInstall();

    QCOMPARE(m_rig->fakes.terminal->opened.size(), 1);
    QCOMPARE(log.count(), 2);
    const QString script = m_rig->fakes.terminal->opened.first();
    QCOMPARE(QFileInfo(script).absolutePath(), m_runtime->path());
    QFile file(script);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith("#!/bin/bash\nset -e\n"));
    QVERIFY(text.contains("\nbrew install quillmoor/formulae/batt\n"));
    QVERIFY(text.contains("\nsudo batt install\n"));
    QCOMPARE(text.split(QLatin1Char('\n')).size(), 21);
    QCOMPARE(posixMode(script), mode_t(0700));
    QCOMPARE(m_rig->manager->battInstallLog(),
             "Installation lancée dans Terminal — ferme la fenêtre quand c'est fini.");
}

void tst_SleepManagerLED::installerNeverFollowsAPlantedLink()
{
    start();
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath("victim");
    QFile victimFile(victim);
    victimFile.open(QIODevice::WriteOnly);
    victimFile.write("precious");
    victimFile.close();
    const QString planted = m_runtime->filePath("velorinth_install_batt.sh");
    QVERIFY(QFile::link(victim, planted));
    QFile::remove("/tmp/velorinth_install_batt.sh");
    QFile::link(victim, "/tmp/velorinth_install_batt.sh");

    m_rig->manager->installBatt();
    finishInstall();
    QFile::remove("/tmp/velorinth_install_batt.sh");

    QCOMPARE(m_rig->fakes.terminal->opened, QStringList{planted});
    QVERIFY(!QFileInfo(planted).isSymLink());
    QVERIFY(victimFile.open(QIODevice::ReadOnly));
    QCOMPARE(victimFile.readAll(), QByteArray("precious"));
}

void tst_SleepManagerLED::installerAvoidsASharedRuntimeDir()
{
    start();
    QTemporaryDir temporaryRoot;
    const EnvironmentOverride sharedRuntime("XDG_RUNTIME_DIR", "/tmp"); // writable by everyone
    const EnvironmentOverride temporary("TMPDIR", temporaryRoot.path().toUtf8());

    for (int run = 0; run < 2; ++run) {
        m_rig->manager->installBatt();
        finishInstall();
    }

    const QString directory = QFileInfo(m_rig->fakes.terminal->opened.value(0)).absolutePath();
    QCOMPARE(QFileInfo(directory).absolutePath(), temporaryRoot.path());
    QCOMPARE(posixMode(directory), mode_t(0700));
    // The second run reuses the first one's directory: none piles up.
    QCOMPARE(QDir(temporaryRoot.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(directory).fileName()});
}

void tst_SleepManagerLED::installFailureIsShown_data()
{
    QTest::addColumn<std::optional<QString>>("terminalFailure");
    QTest::addColumn<bool>("writable"); // else no runtime directory and no temporary one
    QTest::addColumn<bool>("cutShort"); // files stop growing at 16 bytes
    QTest::addColumn<QString>("expectedLog");

    QTest::newRow("no terminal") << std::optional<QString>("aucun terminal trouvé") << true << false
                                 << "Erreur : aucun terminal trouvé";
    QTest::newRow("terminal gives no reason")
        << std::optional<QString>("") << true << false << "Erreur : inconnue";
    QTest::newRow("nowhere to write")
        << std::optional<QString>() << false << false << "Erreur : No such file or directory";
    QTest::newRow("script cut short has no reason to give")
        << std::optional<QString>() << true << true << "Erreur : inconnue";
}

void tst_SleepManagerLED::installFailureIsShown()
{
    QFETCH(std::optional<QString>, terminalFailure);
    QFETCH(bool, writable);
    QFETCH(bool, cutShort);
    QFETCH(QString, expectedLog);
    start();
    m_rig->fakes.terminal->failure = terminalFailure;
    std::optional<EnvironmentOverride> noRuntime;
    std::optional<EnvironmentOverride> missingTemporary;
    if (!writable) {
        noRuntime.emplace("XDG_RUNTIME_DIR", QByteArray());
        missingTemporary.emplace("TMPDIR", "/nonexistent-velorinth");
    }
    // A short write comes back with no error code.
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const auto restore = qScopeGuard([limit] { ::setrlimit(RLIMIT_FSIZE, &limit); });
    const rlimit small{cutShort ? 16 : limit.rlim_cur, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN); // a log written to a file must not end the test
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);

    m_rig->manager->installBatt();
    finishInstall();

    QCOMPARE(m_rig->manager->battInstallLog(), expectedLog);
    // A script that could not be written is never opened.
    QCOMPARE(m_rig->fakes.terminal->opened.size(), terminalFailure ? 1 : 0);
}

VELORINTH_TEST_MAIN_IN_PARIS(tst_SleepManagerLED)
#include "tst_sleep_manager_led.moc"
