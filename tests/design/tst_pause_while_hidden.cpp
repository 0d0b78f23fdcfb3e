#include "design/pause_while_hidden.h"
#include "design/pulse_effect.h"
#include "design/starfield.h"

#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

namespace {
// A window whose background twinkles and whose badge pulses, endlessly.
struct Window
{
    Window()
        : badge(new QWidget(&window))
        , stars(new Starfield(30, &window))
        , pulse(new PulseEffect(true, PulseEffect::kDefaultMinOpacity,
                                PulseEffect::kDefaultDuration, badge))
    {
        window.resize(200, 200);
    }

    QWidget window;
    QWidget *badge;
    Starfield *stars;
    PulseEffect *pulse;
};

bool showAndActivate(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

const QStringList kBoth = {QStringLiteral("velorinth::AnimatedValue in velorinth::PulseEffect"),
                           QStringLiteral("velorinth::FrameClock in velorinth::Starfield")};
} // namespace

class tst_PauseWhileHidden : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsOnlyWhileSeen();
    void startedWhileHiddenWaitsUntilSeen();
};

void tst_PauseWhileHidden::runsOnlyWhileSeen()
{
    Window w;
    w.stars->start();
    QVERIFY(showAndActivate(w.window));
    QCOMPARE(runningAnimations(&w.window), kBoth);

    w.badge->hide();
    QCOMPARE(runningAnimations(&w.window), kBoth.mid(1));
    w.badge->show();

    QWidget other;
    QVERIFY(showAndActivate(other)); // our window is no longer the active one
    QCOMPARE(runningAnimations(&w.window), QStringList());
    other.hide();
    QVERIFY(showAndActivate(w.window));
    QCOMPARE(runningAnimations(&w.window), kBoth);

    w.window.hide();
    QCOMPARE(runningAnimations(&w.window), QStringList());
}

void tst_PauseWhileHidden::startedWhileHiddenWaitsUntilSeen()
{
    Window w;
    w.stars->start();
    QCOMPARE(runningAnimations(&w.window), QStringList());
    QVERIFY(showAndActivate(w.window));
    QCOMPARE(runningAnimations(&w.window), kBoth);
}

QTEST_MAIN(tst_PauseWhileHidden)
#include "tst_pause_while_hidden.moc"
