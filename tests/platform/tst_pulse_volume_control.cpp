#include "support/environment_override.h"
#include "platform/linux/pulse_volume_control.h"
#include "private_pulse_server.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace velorinth;

namespace {

// The default sink's channel volumes as pactl sees them, in raw units.
QList<int> channelVolumes()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
    pactl.waitForFinished();
    const QString text = QString::fromUtf8(pactl.readAllStandardOutput());
    QList<int> volumes;
    static const QRegularExpression channel(QStringLiteral(":\\s*(\\d+) /"));
    for (const QRegularExpressionMatch &match : channel.globalMatch(text))
        volumes << match.captured(1).toInt();
    return volumes;
}

void setChannelPercents(const QStringList &percents)
{
    QCOMPARE(QProcess::execute(
                 QStringLiteral("pactl"),
                 QStringList{QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@")}
                     + percents),
             0);
}

constexpr int kNorm = 65536; // libpulse's 100 %

} // namespace

class tst_PulseVolumeControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void readsBackWhatItSetsOnEveryChannel_data();
    void readsBackWhatItSetsOnEveryChannel();
    void keepsTheBalanceOfAnUnbalancedSink();
    void givesUpWithinTheBudget_data();
    void givesUpWithinTheBudget();
    void reconnectsAfterTheServerRestarts();
};

void tst_PulseVolumeControl::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QFAIL("PULSE_SERVER is not set: run through tools/with-test-services.sh, "
              "never against the real sound server");
}

void tst_PulseVolumeControl::init()
{
    setChannelPercents({QStringLiteral("50%")});
}

void tst_PulseVolumeControl::readsBackWhatItSetsOnEveryChannel_data()
{
    QTest::addColumn<int>("percent");
    QTest::newRow("silent") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("mid fade") << 35;
    QTest::newRow("ninety-nine") << 99;
    QTest::newRow("full") << 100;
    QTest::newRow("boosted past full") << 120;
}

void tst_PulseVolumeControl::readsBackWhatItSetsOnEveryChannel()
{
    QFETCH(int, percent);
    PulseVolumeControl volume;

    QCOMPARE(volume.setPercent(percent), std::nullopt);

    QCOMPARE(volume.readPercent(), percent);
    const QList<int> channels = channelVolumes();
    QCOMPARE(channels.size(), 2);
    for (const int channel : channels)
        QCOMPARE(qRound(channel * 100.0 / kNorm), percent);
}

void tst_PulseVolumeControl::keepsTheBalanceOfAnUnbalancedSink()
{
    setChannelPercents({QStringLiteral("60%"), QStringLiteral("30%")});
    PulseVolumeControl volume;
    QCOMPARE(volume.readPercent(), 60);

    QCOMPARE(volume.setPercent(40), std::nullopt);

    QCOMPARE(volume.readPercent(), 40);
    const QList<int> channels = channelVolumes();
    QCOMPARE(channels.size(), 2);
    QCOMPARE(qRound(channels[0] * 100.0 / kNorm), 40);
    QCOMPARE(qRound(channels[1] * 100.0 / kNorm), 20);
}

void tst_PulseVolumeControl::givesUpWithinTheBudget_data()
{
    QTest::addColumn<bool>("serverRuns");
    QTest::addColumn<bool>("connectedBeforeItHangs");
    QTest::addColumn<QString>("reason"); // empty: any non-empty text

    QTest::newRow("no server") << false << false << QString();
    QTest::newRow("server hung before the first call")
        << true << false << QStringLiteral("délai dépassé");
    QTest::newRow("server hung on an open connection")
        << true << true << QStringLiteral("délai dépassé");
}

void tst_PulseVolumeControl::givesUpWithinTheBudget()
{
    QFETCH(bool, serverRuns);
    QFETCH(bool, connectedBeforeItHangs);
    QFETCH(QString, reason);
    PrivatePulseServer server;
    if (serverRuns)
        QVERIFY(server.start());
    const EnvironmentOverride pulseServer("PULSE_SERVER", server.address());
    PulseVolumeControl volume;
    if (connectedBeforeItHangs)
        QCOMPARE(volume.setPercent(70), std::nullopt);
    server.freeze();

    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(volume.readPercent(), std::nullopt);
    QVERIFY2(elapsed.elapsed() < 2000, QByteArray::number(elapsed.elapsed()));

    elapsed.start();
    const std::optional<QString> failure = volume.setPercent(30);
    QVERIFY2(elapsed.elapsed() < 2000, QByteArray::number(elapsed.elapsed()));
    QVERIFY(failure.has_value());
    QVERIFY(!failure->isEmpty());
    if (!reason.isEmpty())
        QCOMPARE(*failure, reason);
}

void tst_PulseVolumeControl::reconnectsAfterTheServerRestarts()
{
    PrivatePulseServer server;
    QVERIFY(server.start());
    const EnvironmentOverride pulseServer("PULSE_SERVER", server.address());
    PulseVolumeControl volume;
    QCOMPARE(volume.setPercent(45), std::nullopt);

    server.stop();
    QCOMPARE(volume.readPercent(), std::nullopt);
    QVERIFY(server.start());

    QCOMPARE(volume.setPercent(25), std::nullopt);
    QCOMPARE(volume.readPercent(), 25);

    server.stop();
    QVERIFY(server.start());
    // The open connection died unnoticed: the very first call still succeeds.
    QVERIFY(volume.readPercent().has_value());
}

QTEST_GUILESS_MAIN(tst_PulseVolumeControl)
#include "tst_pulse_volume_control.moc"
