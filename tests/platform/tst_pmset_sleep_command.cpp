#include "platform/macos/pmset_sleep_command.h"
#include "support/stub_program.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

namespace {

constexpr int kQuietPeriodMs = 500; // long enough for a wrong fallback or report to show

} // namespace

class tst_PmsetSleepCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sleepsThroughPmsetOrSystemEvents_data();
    void sleepsThroughPmsetOrSystemEvents();
};

void tst_PmsetSleepCommand::sleepsThroughPmsetOrSystemEvents_data()
{
    QTest::addColumn<bool>("pmsetExists");
    QTest::addColumn<int>("pmsetExit");
    QTest::addColumn<QByteArray>("scriptError");
    QTest::addColumn<bool>("fallsBack");
    QTest::addColumn<QString>("failure"); // empty: nothing reported

    QTest::newRow("pmset runs") << true << 0 << QByteArray() << false << QString();
    QTest::newRow("pmset runs and fails") << true << 1 << QByteArray() << true << QString();
    QTest::newRow("no pmset, System Events sleeps")
        << false << 0 << QByteArray() << true << QString();
    QTest::newRow("no pmset, System Events refuses")
        << false << 0
        << QByteArray("0:41: execution error: System Events got an error: Accès refusé. (-1743)\n")
        << true
        << QStringLiteral(
               "0:41: execution error: System Events got an error: Accès refusé. (-1743)");
}

void tst_PmsetSleepCommand::sleepsThroughPmsetOrSystemEvents()
{
    QFETCH(bool, pmsetExists);
    QFETCH(int, pmsetExit);
    QFETCH(QByteArray, scriptError);
    QFETCH(bool, fallsBack);
    QFETCH(QString, failure);
    QTemporaryDir bin;
    const StubProgram osascript(bin.path(), QStringLiteral("osascript"),
                                reportingError(scriptError));
    const StubProgram pmset(bin.path(), QStringLiteral("pmset"), {.exitCode = pmsetExit});
    PlatformPaths paths;
    paths.osascript = osascript.path();
    paths.pmset =
        pmsetExists ? pmset.path() : QDir(bin.path()).filePath(QStringLiteral("missing/pmset"));
    QObject caller;
    QStringList failures;

    PmsetSleepCommand(paths).suspend(&caller,
                                     [&failures](const QString &reason) { failures << reason; });

    if (pmsetExists)
        QTRY_COMPARE(pmset.calls(), QList<QStringList>{{QStringLiteral("sleepnow")}});
    const QList<QStringList> fallback{
        {QStringLiteral("-e"), QStringLiteral("tell application \"System Events\" to sleep")}};
    if (fallsBack)
        QTRY_COMPARE(osascript.calls(), fallback);
    if (failure.isEmpty()) {
        QTest::qWait(kQuietPeriodMs);
        QCOMPARE(failures, QStringList());
    } else {
        QTRY_COMPARE(failures, QStringList{failure});
    }
    QCOMPARE(osascript.calls(), fallsBack ? fallback : QList<QStringList>());
}

QTEST_GUILESS_MAIN(tst_PmsetSleepCommand)
#include "tst_pmset_sleep_command.moc"
