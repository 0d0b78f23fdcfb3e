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
    void steppedMotionAdvancesAndSleepsInRealTime();
};

void tst_FrameClock::steppedMotionAdvancesAndSleepsInRealTime()
{
    // A fifth at a time over a second: a step every 200 ms.
    Glide glide(0.0);
    glide.setStep(0.2);
    QSignalSpy steps(&glide, &Glide::valueChanged);
    WakeUps wakeUps;
    qApp->installEventFilter(&wakeUps);
    QElapsedTimer elapsed;
    elapsed.start();
    glide.animateTo(1.0, Animation::linear(1.0));
    QTRY_COMPARE_WITH_TIMEOUT(glide.value(), 1.0, 20000);
    qApp->removeEventFilter(&wakeUps);

    QCOMPARE_GE(steps.count(), 2);
    // Woken at every frame, it would be about 60 a second; a loaded machine only lowers it.
    const double seconds = std::max(1.0, elapsed.elapsed() / 1000.0);
    QVERIFY2(wakeUps.count / seconds < 25.0,
             qPrintable(QStringLiteral("%1 wake-ups in %2 s").arg(wakeUps.count).arg(seconds)));
}

QTEST_GUILESS_MAIN(tst_FrameClock)
#include "tst_frame_clock.moc"
