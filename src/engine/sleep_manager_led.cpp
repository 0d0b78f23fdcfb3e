// The charging LED through the external `batt` utility, and its installer.
#include "sleep_manager.h"

#include "engine/batt_installer_script.h"
#include "engine/settings_keys.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>

namespace velorinth {

namespace {

const QStringList kLEDOffArguments{QStringLiteral("magsafe-led"), QStringLiteral("always-off")};
const QStringList kLEDOnArguments{QStringLiteral("magsafe-led"), QStringLiteral("enable")};
const QString kDaemonNotRunning = QStringLiteral("daemon not running");

struct BattRun
{
    bool launched = false;
    int exitCode = 0;
    QString output; // stdout and stderr merged
};

// How often a running command looks whether it is to be stopped: only while one runs.
constexpr int kStopCheckMs = 50;

BattRun runToEnd(const QString &program, const QStringList &args, const std::atomic<bool> &stop)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForStarted(-1))
        return {};
    while (!process.waitForFinished(kStopCheckMs) && process.state() != QProcess::NotRunning) {
        if (stop) {
            process.kill();
            process.waitForFinished(-1);
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString output = utf8.decode(process.readAll());
    if (utf8.hasError())
        output.clear();
    const int exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {true, exitCode, output};
}

} // namespace

template<typename Work, typename Report>
void SleepManager::inBackground(Work work, Report report)
{
    m_workers.start([this, work = std::move(work), report = std::move(report)]() mutable {
        auto result = work();
        QMetaObject::invokeMethod(
            this,
            [this, report = std::move(report), result = std::move(result)] { report(result); },
            Qt::QueuedConnection);
    });
}

bool SleepManager::isBattAvailable() const
{
    return QFileInfo::exists(m_battPath);
}

void SleepManager::setLEDOff(bool off)
{
    publish(m_isLEDOff, off, &SleepManager::isLEDOffChanged);
    if (!isBattAvailable()) {
        // Nothing can drive the LED: show the option off and offer the installer.
        publish(m_isLEDOff, false, &SleepManager::isLEDOffChanged);
        setShowBattInstallPrompt(true);
        return;
    }
    if (off)
        turnLEDOff();
    else
        turnLEDOn();
    m_platform.defaults->setObject(SettingsKeys::isLEDOff, off);
}

void SleepManager::turnLEDOff()
{
    runBattCommand(kLEDOffArguments);
}

void SleepManager::turnLEDOn()
{
    runBattCommand(kLEDOnArguments);
}

void SleepManager::cleanup()
{
    if (!m_isLEDOff)
        return;
    m_platform.defaults->setObject(SettingsKeys::isLEDOff, false);
    turnLEDOn();
}

bool SleepManager::finishBackgroundWork(std::chrono::milliseconds limit)
{
    if (m_workers.waitForDone(static_cast<int>(limit.count())))
        return true;
    m_stopBackgroundWork = true;
    m_workers.waitForDone();
    return false;
}

void SleepManager::runBattCommand(const QStringList &args)
{
    if (!isBattAvailable()) {
        setErrorMessage(QStringLiteral("Utilitaire 'batt' introuvable à ") + m_battPath);
        return;
    }
    inBackground([battPath = m_battPath, args,
                  &stop = m_stopBackgroundWork] { return runToEnd(battPath, args, stop); },
                 [this, args](const BattRun &run) {
                     if (run.launched && run.exitCode == 0)
                         return;
                     // A stopped daemon needs administrator rights to start.
                     if (!run.launched || run.output.contains(kDaemonNotRunning))
                         runBattCommandWithAdmin(args);
                     else
                         setErrorMessage(QStringLiteral("Erreur LED: ") + run.output);
                 });
}

void SleepManager::runBattCommandWithAdmin(const QStringList &args)
{
    const QString shellText = m_battPath + QStringLiteral(" daemon & sleep 1 && ") + m_battPath
        + QLatin1Char(' ') + args.join(QLatin1Char(' '));
    m_platform.privilegedShell->run(shellText, this, [this](const std::optional<QString> &failure) {
        if (failure)
            setErrorMessage(QStringLiteral("Erreur LED (admin): ") + *failure);
    });
}

void SleepManager::installBatt()
{
    if (m_isBattInstalling)
        return; // one terminal window at a time
    publish(m_isBattInstalling, true, &SleepManager::isBattInstallingChanged);
    publish(m_battInstallLog, QStringLiteral("Installation en cours…"),
            &SleepManager::battInstallLogChanged);

    TerminalLauncher *terminal = m_platform.terminal.get();
    inBackground(
        [terminal]() -> std::optional<QString> {
            const WrittenScript script = writePrivateScript(
                QStringLiteral("velorinth_install_batt.sh"), battInstallerScript());
            if (script.path.isEmpty())
                return script.error; // never run whatever else stands there
            return terminal->openScript(script.path);
        },
        [this](const std::optional<QString> &failure) { finishBattInstall(failure); });
}

void SleepManager::finishBattInstall(const std::optional<QString> &failure)
{
    publish(m_isBattInstalling, false, &SleepManager::isBattInstallingChanged);
    const QString log = !failure
        ? QStringLiteral("Installation lancée dans Terminal — ferme la fenêtre quand c'est fini.")
        : QStringLiteral("Erreur : ")
            + (failure->isEmpty() ? QStringLiteral("inconnue") : *failure);
    publish(m_battInstallLog, log, &SleepManager::battInstallLogChanged);
}

} // namespace velorinth
