#include "main_window/launch_splash_view.h"
#include "main_window/lcg.h"
#include "main_window/shooting_stars.h"

#include "design/animated_value.h"
#include "design/design_system.h"
#include "design/frame_clock.h"
#include "main_window/view_testing.h"
#include "support/animation_time.h"
#include "support/pixels.h"

#include <QPainter>
#include <QtTest>

#include <numbers>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::LaunchPhase)

namespace {
// The state values in one line, the rotations and the booleans as the phases set them.
QString describe(const LaunchSplashView::State &s)
{
    return QString::asprintf("stars %d trim %g turn %g/%g glow %g moon %d scale %g letters %d "
                             "underline %g tagline %g/%g splash %g/%g",
                             s.starsLaunched, s.ringTrim, s.outerRotation, s.innerRotation,
                             s.ringGlow, s.moonVisible, s.moonScale, s.revealedLetters,
                             s.underlineWidth, s.taglineOpacity, s.taglineBlur, s.splashOpacity,
                             s.splashScale);
}

const QString kUntouched = QStringLiteral(
    "stars 0 trim 0 turn 0/0 glow 0 moon 0 scale 0 letters 0 underline 0 tagline 0/8 splash 1/1");
} // namespace

class tst_LaunchSplashView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatorFollowsTheMmixStep();
    void streaksStayInTheirRanges();
    void starColourBands_data();
    void starColourBands();
    void streaksFlyOutAndStay();
    void phaseStepsAtTheirTimes_data();
    void phaseStepsAtTheirTimes();
    void aPhaseWaitsUntilTheSplashIsShown();
    void ringsTurnUntilTheWindowHides();
    void revealingNeverMovesTheLetters();
};

void tst_LaunchSplashView::generatorFollowsTheMmixStep()
{
    LCG generator(42);
    QCOMPARE(generator.next(), 10481999410520546993ULL); // 42 * a + c, modulo 2^64
    QCOMPARE(generator.next(), 4159066171780167020ULL);
    QCOMPARE(generator.next(), 7615522811268512075ULL);
    QCOMPARE(LCG(42).next01(), 0.5682303266439076); // the top 53 bits of the first
}

void tst_LaunchSplashView::streaksStayInTheirRanges()
{
    const auto stars = ShootingStars::makeStars();
    QCOMPARE(int(stars.size()), 70);
    for (int i = 0; i < 70; ++i) {
        const ShootingStars::Star &s = stars[i];
        QCOMPARE(s.id, i);
        QVERIFY(s.angle >= 0 && s.angle < 2 * std::numbers::pi);
        QVERIFY(s.speed >= 0.3 && s.speed < 0.9);
        QVERIFY(s.length >= 10 && s.length < 40);
        QVERIFY(s.thickness >= 0.5 && s.thickness < 2.0);
        QVERIFY(s.opacity >= 0.2 && s.opacity < 0.9);
        QVERIFY(s.delay >= 0 && s.delay < 0.5);
        QVERIFY(s.hue >= 0 && s.hue < 1);
    }
    // The same streaks on every run: the first record from the generator's first draws.
    QCOMPARE(stars[0].angle, 0.5682303266439076 * std::numbers::pi * 2);
    QCOMPARE(stars[0].speed, 0.2254634289477513 * 0.6 + 0.3);
    QCOMPARE(ShootingStars::makeStars()[69].hue, stars[69].hue);
}

void tst_LaunchSplashView::starColourBands_data()
{
    QTest::addColumn<double>("hue");
    QTest::addColumn<QColor>("colour");
    const QColor blue = DesignSystem::Colors::appleBlue;
    const QColor purple = DesignSystem::Colors::applePurple;
    QTest::newRow("0") << 0.0 << blue;
    QTest::newRow("just under 0.4") << 0.3999999 << blue;
    QTest::newRow("0.4 is the upper band") << 0.4 << QColor(Qt::white);
    QTest::newRow("just under 0.7") << 0.6999999 << QColor(Qt::white);
    QTest::newRow("0.7 is the upper band") << 0.7 << purple;
    QTest::newRow("near 1") << 0.9999 << purple;
}

void tst_LaunchSplashView::starColourBands()
{
    QFETCH(double, hue);
    QFETCH(QColor, colour);
    QCOMPARE(ShootingStars::starColor(hue), colour);
}

void tst_LaunchSplashView::streaksFlyOutAndStay()
{
    QWidget view;
    ShootingStars streaks(&view);
    const QRectF field(0, 0, 320, 560);
    const auto litPixels = [&] {
        QImage image(field.size().toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        streaks.paint(painter, field);
        painter.end();
        return countPixels(image, field, [](QColor c) { return c.lightness() > 20; });
    };
    QCOMPARE(litPixels(), 0); // at rest: invisible dots at the centre
    streaks.launch();
    QCOMPARE(litPixels(), 0); // no streak has left yet
    auto *clock = view.findChild<FrameClock *>();
    clock->setCurrentTime(1400);
    QCOMPARE(clock->state(), QAbstractAnimation::Stopped); // the last one has landed
    const int landed = litPixels();
    QVERIFY(landed > 200);
    QCOMPARE(litPixels(), landed);
}

void tst_LaunchSplashView::phaseStepsAtTheirTimes_data()
{
    QTest::addColumn<LaunchPhase>("phase"); // reached through every phase before it
    QTest::addColumn<int>("milliseconds"); // after its arrival
    QTest::addColumn<QString>("state"); // the part of it the row is about
    QTest::newRow("hidden") << LaunchPhase::Hidden << 0 << kUntouched;
    QTest::newRow("particles") << LaunchPhase::Particles << 0
                               << QStringLiteral("stars 1 trim 0 turn 0/0 glow 0 moon 0");
    QTest::newRow("rings at once, no moon at 0.69 s")
        << LaunchPhase::MoonDraw << 690
        << QStringLiteral("trim 1 turn 360/-360 glow 1 moon 0 scale 0 letters 0");
    QTest::newRow("moon at 0.7 s")
        << LaunchPhase::MoonDraw << 700 << QStringLiteral("moon 1 scale 1 letters 0");
    QTest::newRow("first letter at once")
        << LaunchPhase::TitleReveal << 0 << QStringLiteral("letters 1 underline 0");
    QTest::newRow("third at 0.12 s")
        << LaunchPhase::TitleReveal << 120 << QStringLiteral("letters 3 underline 0");
    QTest::newRow("no underline before 0.64 s")
        << LaunchPhase::TitleReveal << 639 << QStringLiteral("letters 9 underline 0 tagline 0/8");
    QTest::newRow("underline at 0.64 s")
        << LaunchPhase::TitleReveal << 640 << QStringLiteral("underline 160 tagline 0/8");
    QTest::newRow("tagline") << LaunchPhase::Tagline << 0
                             << QStringLiteral("tagline 1/0 splash 1/1");
    QTest::newRow("revealing") << LaunchPhase::Revealing << 0
                               << QStringLiteral("tagline 1/0 splash 0/0.96");
    QTest::newRow("done changes nothing")
        << LaunchPhase::Done << 0 << QStringLiteral("tagline 1/0 splash 0/0.96");
}

void tst_LaunchSplashView::phaseStepsAtTheirTimes()
{
    QFETCH(LaunchPhase, phase);
    QFETCH(int, milliseconds);
    QFETCH(QString, state);
    LaunchSplashView splash(LaunchPhase::Hidden);
    splash.resize(320, 560);
    splash.show();
    for (int p = int(LaunchPhase::Particles); p <= int(phase); ++p) {
        splash.setPhase(LaunchPhase(p));
        runTimelines(p == int(phase) ? milliseconds : 5000);
    }
    QVERIFY2(describe(splash.state()).contains(state), qPrintable(describe(splash.state())));
}

void tst_LaunchSplashView::aPhaseWaitsUntilTheSplashIsShown()
{
    LaunchSplashView splash(LaunchPhase::Hidden);
    splash.setPhase(LaunchPhase::Particles);
    QCOMPARE(describe(splash.state()), kUntouched);
    splash.show();
    QVERIFY(splash.state().starsLaunched);
}

void tst_LaunchSplashView::ringsTurnUntilTheWindowHides()
{
    LaunchSplashView splash(LaunchPhase::Particles);
    const auto showActive = [](QWidget &w) {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    };
    QVERIFY(showActive(splash));
    splash.setPhase(LaunchPhase::MoonDraw);
    // The two endless turns, one each way.
    const auto rings = [&splash] {
        QList<QAbstractAnimation::State> states;
        const auto values = splash.findChildren<AnimatedValue *>();
        for (const AnimatedValue *value : values) {
            if (std::abs(value->target()) == 360.0)
                states.append(value->state());
        }
        return states;
    };
    using State = QAbstractAnimation::State;
    QCOMPARE(rings(), QList<State>(2, State::Running));

    QWidget other;
    QVERIFY(showActive(other)); // the splash's window is no longer the active one
    QCOMPARE(rings(), QList<State>(2, State::Running));
    splash.hide();
    QCOMPARE(rings(), QList<State>(2, State::Paused));
    QVERIFY(showActive(splash));
    QCOMPARE(rings(), QList<State>(2, State::Running));
}

void tst_LaunchSplashView::revealingNeverMovesTheLetters()
{
    LaunchSplashView splash(LaunchPhase::Particles);
    splash.resize(320, 560);
    splash.show();
    splash.setPhase(LaunchPhase::MoonDraw);
    splash.setPhase(LaunchPhase::TitleReveal);
    // Where "Ve" is drawn in full white: glows and streaks never get that bright.
    const auto title = [&] {
        setAnimationTimes(&splash, 3000);
        const QImage image = splash.grab().toImage();
        QList<QPoint> ink;
        for (int y = 290; y < 350; ++y) {
            for (int x = 60; x < 135; ++x) {
                if (image.pixelColor(x, y).lightness() > 160)
                    ink.append({x, y});
            }
        }
        return ink;
    };
    runTimelines(180); // 4 letters, the last of them enlarged
    const QList<QPoint> early = title();
    QVERIFY(early.size() > 50);
    runTimelines(1000);
    QCOMPARE(title(), early);
}

QTEST_MAIN(tst_LaunchSplashView)
#include "tst_launch_splash_view.moc"
