#include "design/pulse_effect.h"
#include "design/starfield.h"

#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

class tst_PauseWhileHidden : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endlessAnimationsRunOnlyWhileSeen();
};

void tst_PauseWhileHidden::endlessAnimationsRunOnlyWhileSeen()
{
    QWidget window;
    auto *badge = new QWidget(&window);
    new PulseEffect(true, PulseEffect::kDefaultMinOpacity, PulseEffect::kDefaultDuration, badge);
    (new Starfield(30, &window))->start(); // started while hidden: waits
    QCOMPARE(runningAnimations(&window), QStringList());
    const QStringList both = {QStringLiteral("velorinth::FrameClock in velorinth::Glide"),
                              QStringLiteral("velorinth::FrameClock in velorinth::Starfield")};
    const auto showActive = [](QWidget &w) {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    };
    QVERIFY(showActive(window));
    QCOMPARE(runningAnimations(&window), both);

    badge->hide();
    QCOMPARE(runningAnimations(&window), both.mid(1));
    badge->show();
    QWidget other;
    QVERIFY(showActive(other)); // ours is no longer the active window
    QCOMPARE(runningAnimations(&window), QStringList());
    other.hide();
    QVERIFY(showActive(window));
    QCOMPARE(runningAnimations(&window), both);
    window.hide();
    QCOMPARE(runningAnimations(&window), QStringList());
}

QTEST_MAIN(tst_PauseWhileHidden)
#include "tst_pause_while_hidden.moc"
