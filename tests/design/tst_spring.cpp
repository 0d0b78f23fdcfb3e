#include "design/spring.h"

#include <QtTest>

#include <cmath>

using namespace velorinth;

namespace {
constexpr double kFrame = 1.0 / 60.0;
constexpr double kTolerance = 1e-3;

struct Run
{
    double peak = 0.0;
    double restSeconds = -1.0;
};

// From rest at 0 towards 1, frame by frame, as the animation clock would drive it.
Run run(const Spring &spring, double frame = kFrame)
{
    Run result;
    SpringState state;
    for (double t = frame; t < 5.0; t += frame) {
        state = spring.advanced(state, 1.0, frame);
        result.peak = std::max(result.peak, state.value);
        if (spring.isAtRest(state, 1.0, kTolerance)) {
            result.restSeconds = t;
            break;
        }
    }
    return result;
}
} // namespace

class tst_Spring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void overshootAndSettling_data();
    void overshootAndSettling();
    void frameRateDoesNotChangeTheMotion();
    void zeroOrNegativeTimeChangesNothing();
    void longFrameStaysStable();
};

void tst_Spring::overshootAndSettling_data()
{
    QTest::addColumn<double>("response");
    QTest::addColumn<double>("dampingFraction");
    QTest::addColumn<double>("minRestSeconds");
    QTest::addColumn<double>("maxRestSeconds");

    // Overshoot is checked against the damped oscillator's exp(-pi zeta / sqrt(1 - zeta^2)).
    QTest::newRow("critically damped (standard)") << 0.5 << 1.0 << 0.6 << 0.9;
    QTest::newRow("design spring") << 0.45 << 0.8 << 0.4 << 0.9;
    QTest::newRow("energetic") << 0.35 << 0.65 << 0.3 << 0.9;
    QTest::newRow("bouncy") << 0.5 << 0.3 << 1.0 << 3.0;
}

void tst_Spring::overshootAndSettling()
{
    QFETCH(double, response);
    QFETCH(double, dampingFraction);
    QFETCH(double, minRestSeconds);
    QFETCH(double, maxRestSeconds);

    const Run result = run(Spring(response, dampingFraction));
    const double expectedOvershoot = dampingFraction >= 1.0
        ? 0.0
        : std::exp(-M_PI * dampingFraction / std::sqrt(1.0 - dampingFraction * dampingFraction));
    QVERIFY2(std::abs((result.peak - 1.0) - expectedOvershoot) < 0.01,
             qPrintable(QStringLiteral("overshoot %1, expected %2")
                            .arg(result.peak - 1.0)
                            .arg(expectedOvershoot)));
    if (dampingFraction >= 1.0)
        QVERIFY(result.peak <= 1.0);
    QVERIFY2(result.restSeconds >= minRestSeconds && result.restSeconds <= maxRestSeconds,
             qPrintable(QString::number(result.restSeconds)));
}

void tst_Spring::frameRateDoesNotChangeTheMotion()
{
    const Spring spring(0.45, 0.8);
    SpringState smooth;
    for (int i = 0; i < 12; ++i)
        smooth = spring.advanced(smooth, 1.0, kFrame);
    const SpringState stalled = spring.advanced({}, 1.0, 12 * kFrame);
    QVERIFY(std::abs(smooth.value - stalled.value) < 1e-3);
}

void tst_Spring::zeroOrNegativeTimeChangesNothing()
{
    const Spring spring(0.5, 1.0);
    const SpringState state{0.25, 3.0};
    for (const double seconds : {0.0, -0.1}) {
        const SpringState after = spring.advanced(state, 1.0, seconds);
        QCOMPARE(after.value, 0.25);
        QCOMPARE(after.velocity, 3.0);
    }
}

void tst_Spring::longFrameStaysStable()
{
    // A stalled event loop hands the spring a whole second at once.
    const SpringState after = Spring(0.15, 0.86).advanced({0.0, 0.0}, 1.0, 1.0);
    QVERIFY(std::isfinite(after.value) && std::isfinite(after.velocity));
    QVERIFY(std::abs(after.value - 1.0) < 1e-3);
}

QTEST_APPLESS_MAIN(tst_Spring)
#include "tst_spring.moc"
