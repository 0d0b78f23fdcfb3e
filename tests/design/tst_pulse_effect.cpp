#include "design/pulse_effect.h"

#include "support/animation_time.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

namespace {
constexpr double kMin = 0.35;
constexpr double kDuration = 0.7;

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-3;
}
} // namespace

class tst_PulseEffect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inactiveStaysAtFullOpacity();
    void activeFadesDownAndBackForever();
    void turningOffShowsFullOpacityAtOnce();
    void turningOnAgainStartsFromFullOnceReset();
    void turningOnBeforeTheResetEndsStartsFromWhereItIs();
};

void tst_PulseEffect::inactiveStaysAtFullOpacity()
{
    PulseEffect pulse(false, kMin, kDuration);
    setAnimationTimes(&pulse, 500);
    QCOMPARE(pulse.opacity(), 1.0);
    const auto animations = pulse.findChildren<QAbstractAnimation *>();
    for (QAbstractAnimation *animation : animations)
        QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
}

void tst_PulseEffect::activeFadesDownAndBackForever()
{
    PulseEffect pulse(true, kMin, kDuration);
    QCOMPARE(pulse.opacity(), 1.0);
    setAnimationTimes(&pulse, 700);
    QVERIFY(near(pulse.opacity(), kMin));
    setAnimationTimes(&pulse, 1400);
    QVERIFY(near(pulse.opacity(), 1.0));
    setAnimationTimes(&pulse, 100 * 1400 + 700);
    QVERIFY(near(pulse.opacity(), kMin));
}

void tst_PulseEffect::turningOffShowsFullOpacityAtOnce()
{
    PulseEffect pulse(true, kMin, kDuration);
    setAnimationTimes(&pulse, 500);
    QVERIFY(pulse.opacity() < 0.6);
    QSignalSpy changed(&pulse, &PulseEffect::opacityChanged);
    pulse.setActive(false);
    QCOMPARE(pulse.opacity(), 1.0);
    QCOMPARE(changed.count(), 1);
    setAnimationTimes(&pulse, 600);
    QCOMPARE(changed.count(), 1); // the settling back is not shown
}

void tst_PulseEffect::turningOnAgainStartsFromFullOnceReset()
{
    PulseEffect pulse(true, kMin, kDuration);
    setAnimationTimes(&pulse, 500);
    pulse.setActive(false);
    setAnimationTimes(&pulse, 200);
    pulse.setActive(true);
    QCOMPARE(pulse.opacity(), 1.0);
    setAnimationTimes(&pulse, 350);
    QVERIFY(near(pulse.opacity(), (1.0 + kMin) / 2));
    setAnimationTimes(&pulse, 700);
    QVERIFY(near(pulse.opacity(), kMin));
}

void tst_PulseEffect::turningOnBeforeTheResetEndsStartsFromWhereItIs()
{
    PulseEffect pulse(true, kMin, kDuration);
    setAnimationTimes(&pulse, 700);
    pulse.setActive(false);
    setAnimationTimes(&pulse, 100); // half-way back to full
    pulse.setActive(true);
    const double start = pulse.opacity();
    QVERIFY(start > kMin + 0.1 && start < 0.9);
    setAnimationTimes(&pulse, 1400); // down and back: to where it started, not to full
    QVERIFY(near(pulse.opacity(), start));
}

QTEST_GUILESS_MAIN(tst_PulseEffect)
#include "tst_pulse_effect.moc"
