#include "design/frame_clock.h"
#include "design/glide.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using namespace velorinth;

namespace {
// Counts the timer events the whole application receives: its wake-ups.
class WakeUps : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            ++count;
        return false;
    }
};
} // namespace

// The one test on the real clock: that the clock sleeps between steps rests on how Qt's
// animation timer treats pauses, which set times cannot show.
class tst_FrameClock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void motionAdvancesInRealTime_data();
    void motionAdvancesInRealTime();
};

void tst_FrameClock::motionAdvancesInRealTime_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("fewestSteps");
    QTest::addColumn<double>("mostWakeUpsASecond");
    // A fifth at a time over a second: a step every 200 ms. Woken at every frame, it would
    // be about 60 wake-ups a second; a loaded machine only lowers it.
    QTest::newRow("a slow motion sleeps between its steps") << 0.2 << 2 << 25.0;
    // The installer's spinner and the splash's streaks: about 60 steps, and a loaded
    // machine may drop many frames; a clock that slept would show one or two.
    QTest::newRow("a motion shown at every frame stays awake") << 0.0 << 15 << qInf();
}

void tst_FrameClock::motionAdvancesInRealTime()
{
    QFETCH(double, step);
    QFETCH(int, fewestSteps);
    QFETCH(double, mostWakeUpsASecond);
    Glide glide(0.0);
    glide.setStep(step);
    QSignalSpy steps(&glide, &Glide::valueChanged);
    WakeUps wakeUps;
    qApp->installEventFilter(&wakeUps);
    QElapsedTimer elapsed;
    elapsed.start();
    glide.animateTo(1.0, Animation::linear(1.0));
    QTRY_COMPARE_WITH_TIMEOUT(glide.value(), 1.0, 20000);
    qApp->removeEventFilter(&wakeUps);

    QCOMPARE_GE(steps.count(), fewestSteps);
    const double seconds = std::max(1.0, elapsed.elapsed() / 1000.0);
    QVERIFY2(wakeUps.count / seconds < mostWakeUpsASecond,
             qPrintable(QStringLiteral("%1 wake-ups in %2 s").arg(wakeUps.count).arg(seconds)));
}

QTEST_GUILESS_MAIN(tst_FrameClock)
#include "tst_frame_clock.moc"
