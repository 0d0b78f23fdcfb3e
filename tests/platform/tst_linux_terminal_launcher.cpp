#include "support/environment_override.h"
#include "platform/linux/linux_terminal_launcher.h"
#include "support/stub_program.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace velorinth;

namespace {

const QString kScript = QStringLiteral("/run/user/1000/velorinth/install batt.sh");

} // namespace

class tst_LinuxTerminalLauncher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheFirstTerminalFound_data();
    void opensTheFirstTerminalFound();
    void reportsWhenNoTerminalRuns_data();
    void reportsWhenNoTerminalRuns();
};

void tst_LinuxTerminalLauncher::opensTheFirstTerminalFound_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("expectedTerminal");
    QTest::addColumn<QStringList>("expectedArguments");

    const auto e = QStringLiteral("-e");
    QTest::newRow("the Debian alternative first")
        << QStringList{QStringLiteral("xterm"), QStringLiteral("gnome-terminal"),
                       QStringLiteral("x-terminal-emulator")}
        << QStringLiteral("x-terminal-emulator") << QStringList{e, kScript};
    QTest::newRow("gnome-terminal takes --")
        << QStringList{QStringLiteral("konsole"), QStringLiteral("gnome-terminal")}
        << QStringLiteral("gnome-terminal") << QStringList{QStringLiteral("--"), kScript};
    QTest::newRow("konsole before xfce4-terminal")
        << QStringList{QStringLiteral("xfce4-terminal"), QStringLiteral("konsole")}
        << QStringLiteral("konsole") << QStringList{e, kScript};
    QTest::newRow("xfce4-terminal keeps the path whole")
        << QStringList{QStringLiteral("xterm"), QStringLiteral("xfce4-terminal")}
        << QStringLiteral("xfce4-terminal") << QStringList{QStringLiteral("-x"), kScript};
    QTest::newRow("xterm last") << QStringList{QStringLiteral("xterm")} << QStringLiteral("xterm")
                                << QStringList{e, kScript};
}

void tst_LinuxTerminalLauncher::opensTheFirstTerminalFound()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, expectedTerminal);
    QFETCH(QStringList, expectedArguments);
    QTemporaryDir bin;
    std::map<QString, StubProgram> terminals;
    for (const QString &name : installed)
        terminals.try_emplace(name, bin.path(), name);
    const EnvironmentOverride path("PATH", QFile::encodeName(bin.path()));

    QCOMPARE(LinuxTerminalLauncher().openScript(kScript), std::nullopt);

    QTRY_COMPARE(terminals.at(expectedTerminal).calls(), QList<QStringList>{expectedArguments});
    for (const auto &[name, terminal] : terminals) {
        if (name != expectedTerminal)
            QCOMPARE(terminal.calls(), QList<QStringList>());
    }
}

void tst_LinuxTerminalLauncher::reportsWhenNoTerminalRuns_data()
{
    QTest::addColumn<bool>("terminalInstalled");
    QTest::newRow("none on PATH") << false;
    QTest::newRow("found but cannot start") << true;
}

void tst_LinuxTerminalLauncher::reportsWhenNoTerminalRuns()
{
    QFETCH(bool, terminalInstalled);
    QTemporaryDir bin;
    if (terminalInstalled)
        StubProgram(bin.path(), QStringLiteral("xterm"), {.launchable = false});
    const EnvironmentOverride path("PATH", QFile::encodeName(bin.path()));

    const std::optional<QString> failure = LinuxTerminalLauncher().openScript(kScript);

    QVERIFY(failure.has_value());
    QVERIFY(!failure->isEmpty());
}

QTEST_GUILESS_MAIN(tst_LinuxTerminalLauncher)
#include "tst_linux_terminal_launcher.moc"
