#include "platform/macos/apple_script_notifier.h"
#include "support/stub_program.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

class tst_AppleScriptNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displaysTheRequestWhenDue_data();
    void displaysTheRequestWhenDue();
};

void tst_AppleScriptNotifier::displaysTheRequestWhenDue_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("script");

    QTest::newRow("pre-sleep reminder")
        << QStringLiteral("Velorinth") << QStringLiteral("Mise en veille imminente... 💤")
        << QStringLiteral(
               "display notification \"Mise en veille imminente... 💤\" with title \"Velorinth\" "
               "sound name \"default\"");
    QTest::newRow("quotes and backslashes escaped")
        << QStringLiteral("Dit \"bonsoir\"") << QStringLiteral("C:\\ \"x\"")
        << QStringLiteral(
               "display notification \"C:\\\\ \\\"x\\\"\" with title \"Dit \\\"bonsoir\\\"\" "
               "sound name \"default\"");
}

void tst_AppleScriptNotifier::displaysTheRequestWhenDue()
{
    QFETCH(QString, title);
    QFETCH(QString, body);
    QFETCH(QString, script);
    QTemporaryDir bin;
    const StubProgram osascript(bin.path(), QStringLiteral("osascript"));
    PlatformPaths paths;
    paths.osascript = osascript.path();
    AppleScriptNotifier notifier(paths);

    notifier.add({QStringLiteral("VelorinthPreSleep"), title, body, 0.1});

    QTRY_COMPARE(osascript.calls(), (QList<QStringList>{{QStringLiteral("-e"), script}}));
}

QTEST_GUILESS_MAIN(tst_AppleScriptNotifier)
#include "tst_apple_script_notifier.moc"
