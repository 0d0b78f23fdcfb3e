// The macOS services cannot run here: each is checked against stub programs that record
// the command lines it runs, and that answer as the real ones do.
#include "platform/macos/apple_script_notifier.h"
#include "platform/macos/apple_script_privileged_shell.h"
#include "platform/macos/apple_script_volume_control.h"
#include "platform/macos/pmset_sleep_command.h"
#include "platform/macos/terminal_app_launcher.h"
#include "support/stub_program.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

namespace {

// Runs one service operation and tells what it reported.
using Operation = std::function<QString(const PlatformPaths &)>;
using Calls = QList<QStringList>;

// Long enough for a wrong fallback, report or late notification to show.
constexpr int kSettleMs = 500;

QString outcome(const std::optional<QString> &failure)
{
    return failure ? QStringLiteral("failed: ") + *failure : QStringLiteral("ok");
}

Calls script(const QString &text)
{
    return {{QStringLiteral("-e"), text}};
}

Operation readVolume()
{
    return [](const PlatformPaths &paths) {
        const std::optional<int> percent = AppleScriptVolumeControl(paths).readPercent();
        return percent ? QString::number(*percent) : QStringLiteral("unreadable");
    };
}

Operation setVolume(int percent)
{
    return [percent](const PlatformPaths &paths) {
        return outcome(AppleScriptVolumeControl(paths).setPercent(percent));
    };
}

Operation notify(const QString &title, const QString &body)
{
    return [=](const PlatformPaths &paths) {
        AppleScriptNotifier notifier(paths);
        notifier.add({QStringLiteral("VelorinthPreSleep"), title, body, 0.1});
        QTest::qWait(kSettleMs);
        return QStringLiteral("ok");
    };
}

Operation runAsAdministrator(const QString &shellText)
{
    return [=](const PlatformPaths &paths) {
        QObject caller;
        std::optional<QString> reported;
        AppleScriptPrivilegedShell(paths).run(
            shellText, &caller,
            [&](const std::optional<QString> &failure) { reported = outcome(failure); });
        (void)QTest::qWaitFor([&] { return reported.has_value(); });
        return reported.value_or(QStringLiteral("no answer"));
    };
}

Operation suspend()
{
    return [](const PlatformPaths &paths) {
        QObject caller;
        QStringList failures;
        PmsetSleepCommand(paths).suspend(&caller,
                                         [&](const QString &reason) { failures << reason; });
        QTest::qWait(kSettleMs);
        return failures.isEmpty() ? QStringLiteral("ok")
                                  : QStringLiteral("failed: ") + failures.join(QLatin1Char('|'));
    };
}

Operation openInTerminal()
{
    return [](const PlatformPaths &paths) {
        return outcome(TerminalAppLauncher(paths).openScript(
            QStringLiteral("/tmp/velorinth_install_batt.sh")));
    };
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class tst_MacosBackends : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsTheSystemsCommands_data();
    void runsTheSystemsCommands();
};

void tst_MacosBackends::runsTheSystemsCommands_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<StubBehaviour>("osascript");
    QTest::addColumn<std::optional<StubBehaviour>>("pmset"); // none: not installed
    QTest::addColumn<QString>("reported");
    QTest::addColumn<Calls>("osascriptCalls");
    QTest::addColumn<Calls>("pmsetCalls");

    const Calls readScript = script(QStringLiteral("output volume of (get volume settings)"));
    const auto row = [](const char *name) { return &QTest::newRow(name); };
    *row("volume read") << readVolume() << StubBehaviour{.output = "35\n"}
                        << std::optional<StubBehaviour>() << QStringLiteral("35") << readScript
                        << Calls();
    *row("volume read, fixed-volume output")
        << readVolume() << StubBehaviour{.output = "missing value\n"}
        << std::optional<StubBehaviour>() << QStringLiteral("unreadable") << readScript << Calls();
    *row("volume read, not whole")
        << readVolume() << StubBehaviour{.output = "35.5\n"} << std::optional<StubBehaviour>()
        << QStringLiteral("unreadable") << readScript << Calls();
    *row("volume read, script error")
        << readVolume() << reportingError("0:38: execution error: Erreur (-1728)\n")
        << std::optional<StubBehaviour>() << QStringLiteral("unreadable") << readScript << Calls();
    *row("volume set") << setVolume(0) << StubBehaviour{} << std::optional<StubBehaviour>()
                       << QStringLiteral("ok")
                       << script(QStringLiteral("set volume output volume 0")) << Calls();
    *row("volume set, refused")
        << setVolume(35) << reportingError("  0:27: execution error: Accès refusé. (-1743)\n")
        << std::optional<StubBehaviour>()
        << QStringLiteral("failed: 0:27: execution error: Accès refusé. (-1743)")
        << script(QStringLiteral("set volume output volume 35")) << Calls();
    *row("notification") << notify(QStringLiteral("Velorinth"),
                                   QStringLiteral("Mise en veille imminente... 💤"))
                         << StubBehaviour{} << std::optional<StubBehaviour>()
                         << QStringLiteral("ok")
                         << script(QStringLiteral("display notification \"Mise en veille "
                                                  "imminente... 💤\" with title \"Velorinth\" "
                                                  "sound name \"default\""))
                         << Calls();
    *row("notification, quotes and backslashes escaped")
        << notify(QStringLiteral("Dit \"bonsoir\""), QStringLiteral("C:\\ \"x\""))
        << StubBehaviour{} << std::optional<StubBehaviour>() << QStringLiteral("ok")
        << script(QStringLiteral("display notification \"C:\\\\ \\\"x\\\"\" with title \"Dit "
                                 "\\\"bonsoir\\\"\" sound name \"default\""))
        << Calls();

    const QString ledOff = QStringLiteral(
        "/usr/local/bin/batt daemon & sleep 1 && /usr/local/bin/batt magsafe-led always-off");
    const Calls ledOffScript =
        script(QStringLiteral("do shell script \"/usr/local/bin/batt daemon & sleep 1 && "
                              "/usr/local/bin/batt magsafe-led always-off\" "
                              "with administrator privileges"));
    *row("administrator") << runAsAdministrator(ledOff) << StubBehaviour{}
                          << std::optional<StubBehaviour>() << QStringLiteral("ok") << ledOffScript
                          << Calls();
    *row("administrator, quotes and backslashes escaped")
        << runAsAdministrator(QStringLiteral("echo \"a\\b\"")) << StubBehaviour{}
        << std::optional<StubBehaviour>() << QStringLiteral("ok")
        << script(QStringLiteral(
               "do shell script \"echo \\\"a\\\\b\\\"\" with administrator privileges"))
        << Calls();
    *row("administrator, password dialog cancelled")
        << runAsAdministrator(ledOff)
        << reportingError("0:139: execution error: L’utilisateur a annulé. (-128)\n")
        << std::optional<StubBehaviour>()
        << QStringLiteral("failed: 0:139: execution error: L’utilisateur a annulé. (-128)")
        << ledOffScript << Calls();

    const Calls sleepNow{{QStringLiteral("sleepnow")}};
    const Calls systemEvents =
        script(QStringLiteral("tell application \"System Events\" to sleep"));
    *row("sleep") << suspend() << StubBehaviour{} << std::optional(StubBehaviour{})
                  << QStringLiteral("ok") << Calls() << sleepNow;
    *row("sleep, pmset fails") << suspend() << StubBehaviour{}
                               << std::optional(StubBehaviour{.exitCode = 1})
                               << QStringLiteral("ok") << systemEvents << sleepNow;
    *row("sleep, no pmset") << suspend() << StubBehaviour{} << std::optional<StubBehaviour>()
                            << QStringLiteral("ok") << systemEvents << Calls();
    *row("sleep, no pmset, System Events refuses")
        << suspend()
        << reportingError(
               "0:41: execution error: System Events got an error: Accès refusé. (-1743)\n")
        << std::optional<StubBehaviour>()
        << QStringLiteral("failed: 0:41: execution error: System Events got an error: Accès "
                          "refusé. (-1743)")
        << systemEvents << Calls();

    const Calls terminal =
        script(QStringLiteral("tell application \"Terminal\"\n"
                              "    activate\n"
                              "    do script \"/tmp/velorinth_install_batt.sh\"\n"
                              "end tell"));
    *row("terminal") << openInTerminal() << StubBehaviour{} << std::optional<StubBehaviour>()
                     << QStringLiteral("ok") << terminal << Calls();
    *row("terminal, not allowed")
        << openInTerminal()
        << reportingError("150:170: execution error: Not authorized to send Apple events to "
                          "Terminal. (-1743)\n")
        << std::optional<StubBehaviour>()
        << QStringLiteral("failed: 150:170: execution error: Not authorized to send Apple events "
                          "to Terminal. (-1743)")
        << terminal << Calls();
}

void tst_MacosBackends::runsTheSystemsCommands()
{
    QFETCH(Operation, operation);
    QFETCH(StubBehaviour, osascript);
    QFETCH(std::optional<StubBehaviour>, pmset);
    QFETCH(QString, reported);
    QFETCH(Calls, osascriptCalls);
    QFETCH(Calls, pmsetCalls);
    QTemporaryDir bin;
    const StubProgram osascriptStub(bin.path(), QStringLiteral("osascript"), osascript);
    const StubProgram pmsetStub(bin.path(), QStringLiteral("pmset"),
                                pmset.value_or(StubBehaviour{}));
    PlatformPaths paths;
    paths.osascript = osascriptStub.path();
    paths.pmset =
        pmset ? pmsetStub.path() : QDir(bin.path()).filePath(QStringLiteral("gone/pmset"));

    QCOMPARE(operation(paths), reported);
    QCOMPARE(osascriptStub.calls(), osascriptCalls);
    QCOMPARE(pmsetStub.calls(), pmsetCalls);
}

QTEST_GUILESS_MAIN(tst_MacosBackends)
#include "tst_macos_backends.moc"
