#include "design/pause_while_hidden.h"
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
    void eachAnimationKeepsItsOwnPause();
};

namespace {

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// An animation that never ends.
class Endless : public QAbstractAnimation
{
public:
    using QAbstractAnimation::QAbstractAnimation;
    [[nodiscard]] int duration() const override { return -1; }

protected:
    void updateCurrentTime(int) override { }
};

} // namespace

void tst_PauseWhileHidden::endlessAnimationsRunOnlyWhileSeen()
{
    QWidget window;
    auto *badge = new QWidget(&window);
    new PulseEffect(true, PulseEffect::kDefaultMinOpacity, PulseEffect::kDefaultDuration, badge);
    (new Starfield(30, &window))->start(); // started while hidden: waits
    QCOMPARE(runningAnimations(&window), QStringList());
    const QStringList both = {QStringLiteral("velorinth::FrameClock in velorinth::Glide"),
                              QStringLiteral("velorinth::FrameClock in velorinth::Starfield")};
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

// Both kinds on one widget share its watcher: each still pauses by its own rule.
void tst_PauseWhileHidden::eachAnimationKeepsItsOwnPause()
{
    QWidget window;
    auto *unseen = new Endless(&window);
    auto *hidden = new Endless(&window);
    PauseWhileHidden::watch(&window, unseen);
    PauseWhileHidden::watch(&window, hidden, PauseWhileHidden::Pause::OnlyWhileHidden);
    unseen->start();
    hidden->start();
    using State = QAbstractAnimation::State;
    const auto states = [&] { return QList<State>{unseen->state(), hidden->state()}; };
    QCOMPARE(states(), QList<State>(2, State::Paused)); // started while hidden

    QVERIFY(showActive(window));
    QCOMPARE(states(), QList<State>(2, State::Running));
    QWidget other;
    QVERIFY(showActive(other));
    QCOMPARE(states(), (QList<State>{State::Paused, State::Running}));
    window.hide();
    QCOMPARE(states(), QList<State>(2, State::Paused));
    QVERIFY(showActive(window));
    QCOMPARE(states(), QList<State>(2, State::Running));
    window.showMinimized();
    QCOMPARE(states(), QList<State>(2, State::Paused));
}

QTEST_MAIN(tst_PauseWhileHidden)
#include "tst_pause_while_hidden.moc"
