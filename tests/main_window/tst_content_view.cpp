#include "main_window/content_view.h"

#include "design/confirmation_overlay.h"
#include "engine/sleep_manager_rig.h"
#include "main_window/background_view.h"
#include "main_window/content_header.h"
#include "main_window/control_testing.h"
#include "main_window/error_banner.h"
#include "main_window/launch_splash_view.h"
#include "main_window/schedule_section.h"
#include "main_window/view_testing.h"
#include "support/animation_time.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QtTest>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::HostTraits)

namespace {
// The content's own launch; the splash's steps run on timelines of their own.
Timeline *launchTimeline(const ContentView &view)
{
    return view.findChild<Timeline *>(QString(), Qt::FindDirectChildrenOnly);
}

bool contentShown(const ContentView &view)
{
    return view.findChild<ContentHeader *>()->isVisible();
}

// A window that records the presses its content leaves to it.
class Frame : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// The content, once the launch has played, in an active window over an engine of fakes.
struct Window
{
    Window()
    {
        frame.resize(view->size());
        frame.show();
        QApplication::setActiveWindow(&frame);
    }

    // Through the application, as the keyboard would; the screens swap once the engine's
    // change is done.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget *to = nullptr)
    {
        QTest::keyClick(to ? to : view, Qt::Key(key), modifiers);
        QCoreApplication::sendPostedEvents();
    }
    [[nodiscard]] ConfirmationOverlay *confirmation() const
    {
        return view->findChild<ConfirmationOverlay *>();
    }

    SleepManagerRig rig{QStringLiteral("2026-01-10T22:00:00")};
    SleepManager &manager = *rig.manager;
    Frame frame;
    ContentView *view = new ContentView(manager, ContentView::Launch::Skip, &frame);
};
} // namespace

class tst_ContentView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void launchPlaysAtItsTimes();
    void launchGoesWithItsContent();
    void launchSkipped();
    void keysGoToTheSessionFirst_data();
    void keysGoToTheSessionFirst();
    void confirmationAnswers_data();
    void confirmationAnswers();
    void bannerFollowsTheError();
    void sentencesNameTheMachine_data();
    void sentencesNameTheMachine();
    void errorAfterAClosedBanner();
    void buttonsNamedForScreenReaders_data();
    void buttonsNamedForScreenReaders();
    void backgroundRestsWhileTheWindowIsInactive();
    void backgroundPressesReachTheWindow_data();
    void backgroundPressesReachTheWindow();
};

void tst_ContentView::launchPlaysAtItsTimes()
{
    SleepManagerRig rig(QStringLiteral("2026-01-10T22:00:00"));
    ContentView view(*rig.manager, ContentView::Launch::Play);
    QCOMPARE(view.launchPhase(), LaunchPhase::Hidden);
    view.show();
    Timeline *launch = launchTimeline(view);
    QVERIFY(launch);
    const std::pair<int, LaunchPhase> moments[] = {
        {0, LaunchPhase::Particles},    {499, LaunchPhase::Particles},
        {500, LaunchPhase::MoonDraw},   {1600, LaunchPhase::TitleReveal},
        {2300, LaunchPhase::Tagline},   {3200, LaunchPhase::Revealing},
        {3799, LaunchPhase::Revealing},
    };
    for (const auto &[time, phase] : moments) {
        launch->setCurrentTime(time);
        QCOMPARE(view.launchPhase(), phase);
        QCOMPARE(view.findChild<LaunchSplashView *>()->phase(), phase);
        QVERIFY(!contentShown(view));
    }
    QTest::keyClick(&view, Qt::Key_Space); // nothing before the launch is done
    QVERIFY(!rig.manager->isActive());

    launch->setCurrentTime(3800);
    QCOMPARE(view.launchPhase(), LaunchPhase::Done);
    QVERIFY(!view.findChild<LaunchSplashView *>());
    setAnimationTimes(&view, 1000); // the content rises in
    QVERIFY(contentShown(view));
    // Shown again, it does not play again.
    view.hide();
    view.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!launchTimeline(view));
    QVERIFY(contentShown(view));
}

void tst_ContentView::launchGoesWithItsContent()
{
    SleepManagerRig rig(QStringLiteral("2026-01-10T22:00:00"));
    auto *view = new ContentView(*rig.manager, ContentView::Launch::Play);
    view->show();
    const QPointer<Timeline> launch = launchTimeline(*view);
    QVERIFY(launch);
    launch->setCurrentTime(600);
    delete view;
    QVERIFY(launch.isNull());
}

void tst_ContentView::launchSkipped()
{
    SleepManagerRig rig(QStringLiteral("2026-01-10T22:00:00"));
    ContentView view(*rig.manager, ContentView::Launch::Skip);
    QCOMPARE(view.launchPhase(), LaunchPhase::Done);
    QVERIFY(!view.findChild<LaunchSplashView *>());
    view.show();
    QVERIFY(!launchTimeline(view));
    QVERIFY(contentShown(view));
}

void tst_ContentView::keysGoToTheSessionFirst_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("active");
    QTest::addColumn<double>("seconds"); // the time left when active, else the duration
    const Qt::KeyboardModifiers none;
    QTest::newRow("space") << false << int(Qt::Key_Space) << none << true << 1800.0;
    QTest::newRow("return") << false << int(Qt::Key_Return) << none << true << 1800.0;
    QTest::newRow("ctrl+space") << false << int(Qt::Key_Space)
                                << Qt::KeyboardModifiers(Qt::ControlModifier) << true << 1800.0;
    QTest::newRow("keypad enter") << false << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier) << false << 1800.0;
    QTest::newRow("another key") << false << int(Qt::Key_A) << none << false << 1800.0;
    QTest::newRow("idle left") << false << int(Qt::Key_Left) << none << false << 1500.0;
    QTest::newRow("idle right") << false << int(Qt::Key_Right) << none << false << 2100.0;
    QTest::newRow("idle ctrl+left")
        << false << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ControlModifier) << false
        << 1500.0;
    QTest::newRow("running right") << true << int(Qt::Key_Right) << none << true << 2100.0;
    QTest::newRow("running left") << true << int(Qt::Key_Left) << none << true << 1500.0;
}

void tst_ContentView::keysGoToTheSessionFirst()
{
    Window w;
    QFETCH(bool, running);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, active);
    QFETCH(double, seconds);
    if (running)
        w.manager.startTimer();
    // Taken before any control, even one of another window that would type or move in it.
    QLineEdit field(QStringLiteral("abc"));
    field.show();
    w.press(key, modifiers, &field);
    QCOMPARE(w.manager.isActive(), active);
    QCOMPARE(active ? w.manager.timeRemaining() : w.manager.sessionDuration(), seconds);
    QCOMPARE(field.text(), key == Qt::Key_A ? "abca" : "abc");
    QCOMPARE(field.cursorPosition(), field.text().size());
    QVERIFY(!w.confirmation()->isPresented());
}

void tst_ContentView::confirmationAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("endedMeanwhile");
    QTest::addColumn<bool>("stops"); // whether stopTimer() runs
    QTest::newRow("Arrêter") << "confirm" << false << true;
    QTest::newRow("Annuler") << "cancel" << false << false;
    QTest::newRow("Escape") << "escape" << false << false;
    // Keys to whatever has the focus: Space and Return press the answer Tab reached.
    QTest::newRow("Tab to Arrêter, Space") << "tab, space" << false << true;
    QTest::newRow("Tab twice to Annuler, Return") << "tab, tab, return" << false << false;
    QTest::newRow("Arrêter after the end") << "confirm" << true << true;
}

void tst_ContentView::confirmationAnswers()
{
    Window w;
    QFETCH(QString, answer);
    QFETCH(bool, endedMeanwhile);
    QFETCH(bool, stops);
    w.press(Qt::Key_Space); // starts
    w.press(Qt::Key_Return); // only asks
    ConfirmationOverlay *question = w.confirmation();
    // Asked again while the question is up, never answering it.
    w.press(Qt::Key_Space, Qt::NoModifier, question);
    w.press(Qt::Key_Return, Qt::NoModifier, question);
    QVERIFY(question->isPresented());
    QVERIFY(w.manager.isActive());
    setAnimationTimes(&w.frame, 1000);
    if (endedMeanwhile) {
        w.rig.advance(1800.5 + 0.5); // the end, then the engine's own stop
        QVERIFY(!w.manager.isActive());
    }
    QSignalSpy announced(&w.manager, &SleepManager::isActiveChanged);
    const QHash<QString, int> keys{
        {"tab", Qt::Key_Tab}, {"space", Qt::Key_Space}, {"return", Qt::Key_Return}};
    if (answer == QLatin1String("escape")) {
        QTest::keyClick(question, Qt::Key_Escape);
    } else if (answer.contains(QLatin1Char(','))) {
        for (const QString &name : answer.split(QStringLiteral(", ")))
            w.press(keys.value(name), Qt::NoModifier, QApplication::focusWidget());
    } else {
        click(question,
              QRectF(answer == QLatin1String("confirm") ? question->confirmButtonRect()
                                                        : question->cancelButtonRect())
                  .center());
    }
    QVERIFY(!question->isPresented());
    QCOMPARE(announced.count(), stops ? 1 : 0);
    QCOMPARE(w.manager.isActive(), !stops && !endedMeanwhile);
}

void tst_ContentView::sentencesNameTheMachine_data()
{
    QTest::addColumn<HostTraits>("host");
    QTest::addColumn<QString>("stopMessage");
    QTest::addColumn<QString>("scheduleExplanation");

    QTest::newRow("Linux") << HostTraits::linuxDesktop()
                           << "L'ordinateur ne se mettra plus en veille automatiquement."
                           << "L'ordinateur se mettra en veille chaque jour à cette heure.";
    QTest::newRow("macOS") << HostTraits::mac()
                           << "Le Mac ne se mettra plus en veille automatiquement."
                           << "Le Mac se mettra en veille chaque jour à cette heure.";
}

void tst_ContentView::sentencesNameTheMachine()
{
    QFETCH(HostTraits, host);
    SleepManagerRig rig(QStringLiteral("2026-01-10T22:00:00"));
    rig.fakes.platform.host = host;
    const ContentView view(*rig.manager, ContentView::Launch::Skip);

    QTEST(view.findChild<ConfirmationOverlay *>()->message(), "stopMessage");
    QTEST(view.findChild<ScheduleSection *>()->explanation(), "scheduleExplanation");
}

void tst_ContentView::bannerFollowsTheError()
{
    Window w;
    w.manager.setErrorMessage(QStringLiteral("Veille refusée"));
    setAnimationTimes(&w.frame, 2000);
    auto *banner = w.view->findChild<ErrorBanner *>();
    QVERIFY(banner && banner->isVisible());
    QCOMPARE(banner->mapTo(w.view, QPoint()), QPoint(0, 0));

    w.manager.setErrorMessage(QStringLiteral("Autre erreur"));
    QCOMPARE(w.view->findChild<ErrorBanner *>(), banner); // in place
    QVERIFY(banner->isVisible());
    QCOMPARE(banner->shownLines(), QStringList{"Autre erreur"});

    auto *close = banner->findChild<QAbstractButton *>();
    click(close, QRectF(close->contentsRect()).center());
    QCOMPARE(w.manager.errorMessage(), std::nullopt);
    setAnimationTimes(&w.frame, 2000);
    QVERIFY(!banner->isVisible());
}

void tst_ContentView::errorAfterAClosedBanner()
{
    Window w;
    w.manager.setErrorMessage(QStringLiteral("Veille refusée"));
    setAnimationTimes(&w.frame, 2000);
    const QPointer<ErrorBanner> closed = w.view->findChild<ErrorBanner *>();
    auto *close = closed->findChild<QAbstractButton *>();
    click(close, QRectF(close->contentsRect()).center());

    // Another error while the closed strip is still on its way out.
    w.manager.setErrorMessage(QStringLiteral("Autre erreur"));
    setAnimationTimes(&w.frame, 2000);
    QList<ErrorBanner *> shown;
    for (ErrorBanner *banner : w.view->findChildren<ErrorBanner *>()) {
        if (banner->isVisible())
            shown.append(banner);
    }
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first() != closed);
    QCOMPARE(shown.first()->shownLines(), QStringList{"Autre erreur"});
    if (closed)
        QCOMPARE(closed->shownLines(), QStringList{"Veille refusée"});
}

void tst_ContentView::buttonsNamedForScreenReaders_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QStringList>("names"); // of the buttons shown, in any order
    QTest::newRow("setup")
        << false << false
        << QStringList{"+15",    "+30", "+60",       "-15",      "Ajouter 5 minutes", "Écran",
                       "LANCER", "LED", "Minuterie", "Planifié", "Retirer 5 minutes", "Volume"};
    QTest::newRow("running") << true << false
                             << QStringList{"ARRÊTER", "Ajouter 5 minutes", "Retirer 5 minutes"};
    QTest::newRow("error") << true << true
                           << QStringList{"ARRÊTER", "Ajouter 5 minutes", "Fermer",
                                          "Retirer 5 minutes"};
}

void tst_ContentView::buttonsNamedForScreenReaders()
{
    QFETCH(bool, running);
    QFETCH(bool, error);
    QFETCH(QStringList, names);
    Window w;
    if (running)
        w.press(Qt::Key_Space);
    if (error)
        w.manager.setErrorMessage(QStringLiteral("Veille refusée"));
    setAnimationTimes(&w.frame, 2000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList read;
    for (QAbstractButton *button : w.view->findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            read.append(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name));
    }
    read.sort();
    names.sort();
    QCOMPARE(read, names);
}

void tst_ContentView::backgroundRestsWhileTheWindowIsInactive()
{
    Window w;
    auto *background = w.view->findChild<BackgroundView *>();
    QWidget other;
    other.show();
    const auto switchTo = [&](QWidget *window) {
        QApplication::setActiveWindow(window);
        setAnimationTimes(&w.frame, 4000);
        return background->grab().toImage();
    };
    const QImage drifted = switchTo(&w.frame);
    QVERIFY(background->isActive());
    const QImage still = switchTo(&other);
    QVERIFY(!background->isActive());
    QVERIFY(still != drifted);
    QCOMPARE(runningAnimations(&w.frame), QStringList());
    // Active again and then not: the orbs back at their first places at once, no stars.
    switchTo(&w.frame);
    QCOMPARE(switchTo(&other), still);
    w.frame.hide();
    QVERIFY(!background->isActive());
    QCOMPARE(runningAnimations(&w.frame), QStringList());
}

void tst_ContentView::backgroundPressesReachTheWindow_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("presses");
    QTest::newRow("header") << QPoint(30, 20) << 1;
    QTest::newRow("beside the screen") << QPoint(4, 250) << 1;
    QTest::newRow("the start button") << QPoint(160, 483) << 0;
}

void tst_ContentView::backgroundPressesReachTheWindow()
{
    Window w;
    QFETCH(QPoint, at);
    QFETCH(int, presses);
    QTest::mousePress(w.frame.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(w.frame.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(w.frame.presses, presses);
}

QTEST_MAIN(tst_ContentView)
#include "tst_content_view.moc"
