#include "platform/macos/terminal_app_launcher.h"
#include "support/stub_program.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

class tst_TerminalAppLauncher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tellsTerminalToRunTheScript_data();
    void tellsTerminalToRunTheScript();
};

void tst_TerminalAppLauncher::tellsTerminalToRunTheScript_data()
{
    QTest::addColumn<QByteArray>("scriptError");
    QTest::addColumn<std::optional<QString>>("failure");

    QTest::newRow("Terminal opens") << QByteArray() << std::optional<QString>();
    QTest::newRow("not allowed to control Terminal")
        << QByteArray("150:170: execution error: Not authorized to send Apple events to Terminal. "
                      "(-1743)\n")
        << std::optional(QStringLiteral("150:170: execution error: Not authorized to send Apple "
                                        "events to Terminal. (-1743)"));
}

void tst_TerminalAppLauncher::tellsTerminalToRunTheScript()
{
    QFETCH(QByteArray, scriptError);
    QFETCH(std::optional<QString>, failure);
    QTemporaryDir bin;
    const StubProgram osascript(bin.path(), QStringLiteral("osascript"),
                                reportingError(scriptError));
    PlatformPaths paths;
    paths.osascript = osascript.path();

    QCOMPARE(
        TerminalAppLauncher(paths).openScript(QStringLiteral("/tmp/velorinth_install_batt.sh")),
        failure);

    const QString script = QStringLiteral("tell application \"Terminal\"\n"
                                          "    activate\n"
                                          "    do script \"/tmp/velorinth_install_batt.sh\"\n"
                                          "end tell");
    QCOMPARE(osascript.calls(), (QList<QStringList>{{QStringLiteral("-e"), script}}));
}

QTEST_GUILESS_MAIN(tst_TerminalAppLauncher)
#include "tst_terminal_app_launcher.moc"
