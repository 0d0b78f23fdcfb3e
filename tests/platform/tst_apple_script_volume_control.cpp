#include "platform/macos/apple_script_volume_control.h"
#include "support/stub_program.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

class tst_AppleScriptVolumeControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheOutputVolume_data();
    void readsTheOutputVolume();
    void setsTheOutputVolume_data();
    void setsTheOutputVolume();
};

void tst_AppleScriptVolumeControl::readsTheOutputVolume_data()
{
    QTest::addColumn<StubBehaviour>("osascript");
    QTest::addColumn<std::optional<int>>("percent");

    QTest::newRow("a level") << StubBehaviour{.output = "35\n"} << std::optional(35);
    QTest::newRow("silent") << StubBehaviour{.output = "0\n"} << std::optional(0);
    QTest::newRow("fixed-volume output")
        << StubBehaviour{.output = "missing value\n"} << std::optional<int>();
    QTest::newRow("not a whole number")
        << StubBehaviour{.output = "35.5\n"} << std::optional<int>();
    QTest::newRow("script error") << reportingError("0:38: execution error: Erreur (-1728)\n")
                                  << std::optional<int>();
}

void tst_AppleScriptVolumeControl::readsTheOutputVolume()
{
    QFETCH(StubBehaviour, osascript);
    QFETCH(std::optional<int>, percent);
    QTemporaryDir bin;
    const StubProgram stub(bin.path(), QStringLiteral("osascript"), osascript);
    PlatformPaths paths;
    paths.osascript = stub.path();

    QCOMPARE(AppleScriptVolumeControl(paths).readPercent(), percent);
    QCOMPARE(stub.calls(),
             (QList<QStringList>{{QStringLiteral("-e"),
                                  QStringLiteral("output volume of (get volume settings)")}}));
}

void tst_AppleScriptVolumeControl::setsTheOutputVolume_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<StubBehaviour>("osascript");
    QTest::addColumn<QString>("script");
    QTest::addColumn<std::optional<QString>>("failure");

    QTest::newRow("a level") << 35 << StubBehaviour{}
                             << QStringLiteral("set volume output volume 35")
                             << std::optional<QString>();
    QTest::newRow("silent") << 0 << StubBehaviour{} << QStringLiteral("set volume output volume 0")
                            << std::optional<QString>();
    QTest::newRow("script error")
        << 35 << reportingError("  0:27: execution error: Accès refusé. (-1743)\n")
        << QStringLiteral("set volume output volume 35")
        << std::optional(QStringLiteral("0:27: execution error: Accès refusé. (-1743)"));
}

void tst_AppleScriptVolumeControl::setsTheOutputVolume()
{
    QFETCH(int, percent);
    QFETCH(StubBehaviour, osascript);
    QFETCH(QString, script);
    QFETCH(std::optional<QString>, failure);
    QTemporaryDir bin;
    const StubProgram stub(bin.path(), QStringLiteral("osascript"), osascript);
    PlatformPaths paths;
    paths.osascript = stub.path();

    QCOMPARE(AppleScriptVolumeControl(paths).setPercent(percent), failure);
    QCOMPARE(stub.calls(), (QList<QStringList>{{QStringLiteral("-e"), script}}));
}

QTEST_GUILESS_MAIN(tst_AppleScriptVolumeControl)
#include "tst_apple_script_volume_control.moc"
