#include "platform/macos/apple_script_privileged_shell.h"
#include "support/stub_program.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

class tst_AppleScriptPrivilegedShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsTheShellTextAsAdministrator_data();
    void runsTheShellTextAsAdministrator();
};

void tst_AppleScriptPrivilegedShell::runsTheShellTextAsAdministrator_data()
{
    QTest::addColumn<QString>("shellText");
    QTest::addColumn<QByteArray>("scriptError");
    QTest::addColumn<QString>("script");
    QTest::addColumn<std::optional<QString>>("failure");

    const QString ledOff = QStringLiteral(
        "/usr/local/bin/batt daemon & sleep 1 && /usr/local/bin/batt magsafe-led always-off");
    const QString ledOffScript =
        QStringLiteral("do shell script \"/usr/local/bin/batt daemon & sleep 1 && "
                       "/usr/local/bin/batt magsafe-led always-off\" "
                       "with administrator privileges");
    QTest::newRow("LED off") << ledOff << QByteArray() << ledOffScript << std::optional<QString>();
    QTest::newRow("quotes and backslashes escaped")
        << QStringLiteral("echo \"a\\b\"") << QByteArray()
        << QStringLiteral("do shell script \"echo \\\"a\\\\b\\\"\" with administrator privileges")
        << std::optional<QString>();
    QTest::newRow("password dialog cancelled")
        << ledOff << QByteArray("0:139: execution error: L’utilisateur a annulé. (-128)\n")
        << ledOffScript
        << std::optional(QStringLiteral("0:139: execution error: L’utilisateur a annulé. (-128)"));
}

void tst_AppleScriptPrivilegedShell::runsTheShellTextAsAdministrator()
{
    QFETCH(QString, shellText);
    QFETCH(QByteArray, scriptError);
    QFETCH(QString, script);
    QFETCH(std::optional<QString>, failure);
    QTemporaryDir bin;
    const StubProgram osascript(bin.path(), QStringLiteral("osascript"),
                                reportingError(scriptError));
    PlatformPaths paths;
    paths.osascript = osascript.path();
    QObject caller;
    std::optional<std::optional<QString>> outcome;

    AppleScriptPrivilegedShell(paths).run(
        shellText, &caller, [&outcome](const std::optional<QString> &result) { outcome = result; });

    QTRY_VERIFY(outcome.has_value());
    QCOMPARE(*outcome, failure);
    QCOMPARE(osascript.calls(), (QList<QStringList>{{QStringLiteral("-e"), script}}));
}

QTEST_GUILESS_MAIN(tst_AppleScriptPrivilegedShell)
#include "tst_apple_script_privileged_shell.moc"
