#include "design/animated_value.h"
#include "design/frame_clock.h"
#include "design/glide.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::Animation)

class tst_AnimatedValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void curveValueAtTime_data();
    void curveValueAtTime();
    void timedCurveFinishesOnTarget();
    void springStopsItselfOnceSettled_data();
    void springStopsItselfOnceSettled();
    void reaimingASpringKeepsItsVelocity();
    void reaimingACurveStartsFromTheShownValue();
    void springTakesOverACurvesMotion();
    void repeatingForeverNeverStops();
    void unchangedTargetStartsNothing();
    void reaimingAtTheSameTargetCarriesOn();
    void reaimingAtTheShownValueHoldsThere();
    void setValueJumpsAndStops();
    void glideWakesOnlyForVisibleSteps_data();
    void glideWakesOnlyForVisibleSteps();
};

void tst_AnimatedValue::curveValueAtTime_data()
{
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<int>("time");
    QTest::addColumn<double>("expected");

    QTest::newRow("linear quarter") << Animation::linear(1.0) << 250 << 0.25;
    QTest::newRow("ease-in half") << Animation::easeIn(1.0) << 500 << 0.3154;
    QTest::newRow("ease-out half") << Animation::easeOut(1.0) << 500 << 0.6846;
    QTest::newRow("ease-in-out quarter") << Animation::easeInOut(1.0) << 250 << 0.1292;
    QTest::newRow("ease-in-out half") << Animation::easeInOut(1.0) << 500 << 0.5;
    QTest::newRow("ease-in-out three quarters") << Animation::easeInOut(1.0) << 750 << 0.8708;
    QTest::newRow("default is ease-in-out 0.35 s") << Animation::systemDefault() << 175 << 0.5;
    QTest::newRow("delay holds the start") << Animation::linear(1.0).delayed(0.5) << 400 << 0.0;
    QTest::newRow("delay shifts the curve") << Animation::linear(1.0).delayed(0.5) << 1000 << 0.5;
    QTest::newRow("autoreverse: end of first pass")
        << Animation::linear(1.0).repeatedForever(true) << 1000 << 1.0;
    QTest::newRow("autoreverse: back half way")
        << Animation::linear(1.0).repeatedForever(true) << 1500 << 0.5;
    QTest::newRow("autoreverse: back at start")
        << Animation::linear(1.0).repeatedForever(true) << 2000 << 0.0;
    QTest::newRow("autoreverse eased: third pass")
        << Animation::easeInOut(1.0).repeatedForever(true) << 2250 << 0.1292;
    QTest::newRow("autoreverse eased: second pass")
        << Animation::easeInOut(1.0).repeatedForever(true) << 1250 << 0.8708;
    QTest::newRow("restart: jumps back each pass")
        << Animation::linear(1.0).repeatedForever(false) << 1250 << 0.25;
}

void tst_AnimatedValue::curveValueAtTime()
{
    QFETCH(Animation, animation);
    QFETCH(int, time);
    QFETCH(double, expected);

    // Both players of a timed curve: the one that runs every frame and the one that sleeps.
    AnimatedValue value(0.0);
    value.animateTo(1.0, animation);
    value.setCurrentTime(time);
    Glide glide(0.0);
    glide.animateTo(1.0, animation);
    glide.clock()->setCurrentTime(time);
    for (const double shown : {value.value(), glide.value()})
        QVERIFY2(std::abs(shown - expected) < 1e-3, qPrintable(QString::number(shown)));
}

void tst_AnimatedValue::timedCurveFinishesOnTarget()
{
    AnimatedValue value(10.0);
    QSignalSpy changed(&value, &AnimatedValue::valueChanged);
    QSignalSpy finished(&value, &QAbstractAnimation::finished);
    value.animateTo(20.0, Animation::easeInOut(0.3));
    value.setCurrentTime(150);
    value.setCurrentTime(400);
    QCOMPARE(value.value(), 20.0);
    QCOMPARE(value.state(), QAbstractAnimation::Stopped);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(changed.count(), 2);
}

void tst_AnimatedValue::springStopsItselfOnceSettled_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::newRow("up") << 0.0 << 100.0;
    QTest::newRow("down, from above") << 100.0 << 0.0;
}

void tst_AnimatedValue::springStopsItselfOnceSettled()
{
    QFETCH(double, from);
    QFETCH(double, to);
    AnimatedValue value(from);
    value.animateTo(to, Animation::spring(0.45, 0.8));
    double lastShown = from;
    int time = 0;
    for (; value.state() == QAbstractAnimation::Running && time < 5000; time += 16) {
        lastShown = value.value();
        value.setCurrentTime(time);
    }
    QVERIFY2(time > 400, "settled before it got there");
    QCOMPARE(value.state(), QAbstractAnimation::Stopped);
    QCOMPARE(value.value(), to);
    QCOMPARE(value.velocity(), 0.0);
    // The last frame shown before the snap was already within a thousandth of the way.
    QCOMPARE_LE(std::abs(lastShown - to), 0.1);
}

void tst_AnimatedValue::reaimingASpringKeepsItsVelocity()
{
    AnimatedValue value(0.0);
    value.animateTo(1.0, Animation::spring(0.5, 1.0));
    value.setCurrentTime(100);
    const double shown = value.value();
    const double velocity = value.velocity();
    QVERIFY(velocity > 0.0);

    value.animateTo(-1.0, Animation::spring(0.5, 1.0));
    QCOMPARE(value.value(), shown);
    QCOMPARE(value.velocity(), velocity);
    value.setCurrentTime(8);
    // Still moving up for a moment: the new pull has not yet undone the old speed.
    QVERIFY(value.value() > shown);
    value.setCurrentTime(4000);
    QCOMPARE(value.value(), -1.0);
}

void tst_AnimatedValue::reaimingACurveStartsFromTheShownValue()
{
    AnimatedValue value(0.0);
    value.animateTo(1.0, Animation::linear(1.0));
    value.setCurrentTime(400);
    value.animateTo(0.0, Animation::linear(1.0));
    QCOMPARE(value.value(), 0.4);
    value.setCurrentTime(500);
    QVERIFY(std::abs(value.value() - 0.2) < 1e-9);
}

void tst_AnimatedValue::springTakesOverACurvesMotion()
{
    AnimatedValue value(0.0);
    value.animateTo(1.0, Animation::linear(1.0));
    value.setCurrentTime(500);
    value.animateTo(0.5, Animation::spring(0.5, 1.0));
    QVERIFY(std::abs(value.velocity() - 1.0) < 1e-6);
}

void tst_AnimatedValue::repeatingForeverNeverStops()
{
    AnimatedValue value(0.0);
    value.animateTo(1.0, Animation::easeInOut(10.0).repeatedForever(true));
    value.setCurrentTime(3600 * 1000 + 5000);
    QCOMPARE(value.state(), QAbstractAnimation::Running);
    QVERIFY(std::abs(value.value() - 0.5) < 1e-3);
}

void tst_AnimatedValue::unchangedTargetStartsNothing()
{
    AnimatedValue value(1.0);
    QSignalSpy changed(&value, &AnimatedValue::valueChanged);
    value.animateTo(1.0, Animation::easeInOut(0.2));
    value.animateTo(1.0, Animation::spring(0.5, 1.0));
    QCOMPARE(value.state(), QAbstractAnimation::Stopped);
    QCOMPARE(changed.count(), 0);
}

void tst_AnimatedValue::reaimingAtTheSameTargetCarriesOn()
{
    AnimatedValue value(0.0);
    value.animateTo(1.0, Animation::easeInOut(1.0));
    value.setCurrentTime(500);
    QSignalSpy changed(&value, &AnimatedValue::valueChanged);
    value.animateTo(1.0, Animation::easeInOut(1.0)); // the model announced the same value
    QCOMPARE(changed.count(), 0);
    value.setCurrentTime(1000);
    QCOMPARE(value.value(), 1.0);
    QCOMPARE(value.state(), QAbstractAnimation::Stopped);
}

void tst_AnimatedValue::reaimingAtTheShownValueHoldsThere()
{
    AnimatedValue value(0.0);
    value.animateTo(1.0, Animation::linear(1.0));
    value.setCurrentTime(400);
    value.animateTo(value.value(), Animation::linear(1.0));
    value.setCurrentTime(1000);
    QCOMPARE(value.value(), 0.4);
}

void tst_AnimatedValue::setValueJumpsAndStops()
{
    AnimatedValue value(0.0);
    QSignalSpy changed(&value, &AnimatedValue::valueChanged);
    value.animateTo(1.0, Animation::spring(0.5, 1.0));
    value.setCurrentTime(50);
    value.setValue(5.0);
    QCOMPARE(value.state(), QAbstractAnimation::Stopped);
    QCOMPARE(value.value(), 5.0);
    QCOMPARE(value.target(), 5.0);
    const int before = changed.count();
    value.setValue(5.0);
    QCOMPARE(changed.count(), before);
}

void tst_AnimatedValue::glideWakesOnlyForVisibleSteps_data()
{
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<int>("steps");

    // 0 to 1 in steps of 0.1 over 10 s of frames: ten steps, not 600 frames.
    QTest::newRow("one pass") << Animation::linear(10.0) << 10;
    // Four passes of a curve that turns back at each end.
    QTest::newRow("repeating") << Animation::easeInOut(2.5).repeatedForever() << 40;
}

void tst_AnimatedValue::glideWakesOnlyForVisibleSteps()
{
    QFETCH(Animation, animation);
    QFETCH(int, steps);
    Glide glide(0.0);
    glide.setStep(0.1);
    QSignalSpy moved(&glide, &Glide::valueChanged);
    QSignalSpy ticks(glide.clock(), &FrameClock::ticked);
    glide.animateTo(1.0, animation);
    for (int time = 0; time <= 10000; time += 16)
        glide.clock()->setCurrentTime(time);
    QVERIFY2(qAbs(moved.count() - steps) <= steps / 10 + 1,
             qPrintable(QString::number(moved.count())));
    QVERIFY2(ticks.count() <= 2 * steps, qPrintable(QString::number(ticks.count())));
    if (!animation.repeatsForever())
        QCOMPARE(moved.last().first().toDouble(), 1.0);
}

QTEST_GUILESS_MAIN(tst_AnimatedValue)
#include "tst_animated_value.moc"
