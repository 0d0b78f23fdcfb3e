#include "support/environment_override.h"
#include "platform/linux/pkexec_shell.h"
#include "support/stub_program.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

namespace {

const QString kLedOff = QStringLiteral(
    "/usr/local/bin/batt daemon & sleep 1 && /usr/local/bin/batt magsafe-led always-off");

} // namespace

class tst_PkexecShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsTheShellTextAsRoot_data();
    void runsTheShellTextAsRoot();
    void reportsAMissingPkexec();
};

void tst_PkexecShell::runsTheShellTextAsRoot_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("errorOutput");
    QTest::addColumn<QString>("shellText");
    QTest::addColumn<std::optional<QString>>("failure");

    QTest::newRow("succeeds") << 0 << QByteArray() << kLedOff << std::optional<QString>();
    QTest::newRow("quotes and dollars pass untouched")
        << 0 << QByteArray() << QStringLiteral("echo \"$HOME\" 'it''s' \\n")
        << std::optional<QString>();
    QTest::newRow("password dialog dismissed")
        << 126 << QByteArray("Error executing command as another user: Request dismissed\n")
        << kLedOff
        << std::optional(
               QStringLiteral("Error executing command as another user: Request dismissed"));
    QTest::newRow("fails without a word")
        << 127 << QByteArray() << kLedOff << std::optional(QStringLiteral("code de sortie 127"));
}

void tst_PkexecShell::runsTheShellTextAsRoot()
{
    QFETCH(int, exitCode);
    QFETCH(QByteArray, errorOutput);
    QFETCH(QString, shellText);
    QFETCH(std::optional<QString>, failure);
    QTemporaryDir bin;
    const StubProgram pkexec(bin.path(), QStringLiteral("pkexec"),
                             {.exitCode = exitCode, .errorOutput = errorOutput});
    const EnvironmentOverride path("PATH", QFile::encodeName(bin.path()));
    QObject caller;
    std::optional<std::optional<QString>> outcome;

    PkexecShell().run(shellText, &caller,
                      [&outcome](const std::optional<QString> &result) { outcome = result; });

    QTRY_VERIFY(outcome.has_value());
    QCOMPARE(*outcome, failure);
    QCOMPARE(pkexec.calls(),
             (QList<QStringList>{{QStringLiteral("/bin/sh"), QStringLiteral("-c"), shellText}}));
}

void tst_PkexecShell::reportsAMissingPkexec()
{
    QTemporaryDir emptyBin;
    const EnvironmentOverride path("PATH", QFile::encodeName(emptyBin.path()));
    QObject caller;
    std::optional<std::optional<QString>> outcome;

    PkexecShell().run(kLedOff, &caller,
                      [&outcome](const std::optional<QString> &result) { outcome = result; });

    QTRY_VERIFY(outcome.has_value());
    QVERIFY(outcome->has_value());
    QVERIFY(!outcome->value().isEmpty());
}

QTEST_GUILESS_MAIN(tst_PkexecShell)
#include "tst_pkexec_shell.moc"
