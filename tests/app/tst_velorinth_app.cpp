// The app over fake services: the tray following the session, the panel, closing the window
// and quitting.
#include "app/main_window.h"
#include "app/panel_window.h"
#include "app/window_hide_delegate.h"
#include "app_rig.h"
#include "design/confirmation_overlay.h"
#include "design/timeline.h"
#include "engine/settings_keys.h"
#include "main_window/content_view.h"
#include "support/animation_time.h"
#include "support/stub_program.h"

#include <QPointer>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QtTest>

using namespace velorinth;

namespace {

void closeAsTheWindowManagerDoes(QWidget &window)
{
    // sendEvent() would drop the spontaneity.
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(&window, &event);
}

} // namespace

class tst_VelorinthApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void trayAppearsWhenTheContentFirstShows();
    void windowPlaysTheLaunchOnce();
    void trayFollowsTheSession_data();
    void trayFollowsTheSession();
    void equalValuesArePushedToo();
    void trayIsGivenOnlyTheSessionsTimes_data();
    void trayIsGivenOnlyTheSessionsTimes();
    void panelIsBuiltAnewAtEachOpening();
    void aClickOnTheIconAlwaysToggles_data();
    void aClickOnTheIconAlwaysToggles();
    void focusLossClosesThePanelOnce();
    void openWindowButtonLeavesThePanelOpen();
    void windowKeepsItsSize_data();
    void windowKeepsItsSize();
    void panelFollowsTheHeightRule_data();
    void panelFollowsTheHeightRule();
    void closingTheWindow_data();
    void closingTheWindow();
    void closingWithoutATrayKeepsWhatRuns_data();
    void closingWithoutATrayKeepsWhatRuns();
    void everyQuitClosesThePanel_data();
    void everyQuitClosesThePanel();
    void quitCleansUpOnce_data();
    void quitCleansUpOnce();
    void quitDuringAFadeGivesTheVolumeBack();

private:
    [[nodiscard]] StatusBarManager &tray() { return m_rig->app->statusBar(); }
    void click() { Q_EMIT tray().trayIcon()->activated(QSystemTrayIcon::Trigger); }

    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<StubProgram> m_batt;
    std::unique_ptr<AppRig> m_rig;
};

void tst_VelorinthApp::init()
{
    m_bin = std::make_unique<QTemporaryDir>();
    m_batt = std::make_unique<StubProgram>(m_bin->path(), "batt");
    m_rig = std::make_unique<AppRig>(m_batt->path());
    m_rig->app->mainWindow().show();
}

void tst_VelorinthApp::cleanup()
{
    m_rig.reset();
}

void tst_VelorinthApp::trayAppearsWhenTheContentFirstShows()
{
    m_rig.reset();
    m_rig = std::make_unique<AppRig>(); // its window not shown yet
    QVERIFY(!tray().trayIcon());
    m_rig->app->mainWindow().show();
    QSystemTrayIcon *first = tray().trayIcon();
    m_rig->app->mainWindow().hide();
    m_rig->app->mainWindow().show();

    QVERIFY(first);
    QCOMPARE(tray().trayIcon(), first);
    QCOMPARE(tray().image(), TrayImage::idle());
    QCOMPARE(first->toolTip(), "Velorinth");
}

void tst_VelorinthApp::windowPlaysTheLaunchOnce()
{
    // init() has shown the window: the launch is under way.
    auto *content = qobject_cast<ContentView *>(m_rig->app->mainWindow().content());
    QCOMPARE(content->launchPhase(), LaunchPhase::Particles);
    content->findChild<Timeline *>(QString(), Qt::FindDirectChildrenOnly)->setCurrentTime(3800);
    m_rig->app->mainWindow().hide();
    m_rig->app->mainWindow().show();
    QCOMPARE(content->launchPhase(), LaunchPhase::Done);
}

void tst_VelorinthApp::trayFollowsTheSession_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<QStringList>("shown"); // symbol, title, time as the image writes it

    QTest::newRow("started") << 1800.0 << 0.0 << QStringList{"moon.fill", " 30:00", "30"};
    QTest::newRow("first tick") << 1800.0 << 1.0 << QStringList{"moon.fill", " 29:59", "29"};
    QTest::newRow("300 s is urgent")
        << 1800.0 << 1500.0 << QStringList{"moon.zzz.fill", " 05:00", "5"};
    QTest::newRow("300.5 s is not") << 1800.5 << 1500.0 << QStringList{"moon.fill", " 05:00", "5"};
    QTest::newRow("the last minute, in seconds")
        << 1800.0 << 1741.0 << QStringList{"moon.zzz.fill", " 00:59", "0:59"};
    QTest::newRow("an hour") << 3600.0 << 0.0 << QStringList{"moon.fill", " 01:00:00", "1h00"};
    QTest::newRow("zero until the stop")
        << 600.0 << 600.0 << QStringList{"moon.zzz.fill", " 00:00", "0:00"};
    QTest::newRow("stopped after the sleep") << 600.0 << 601.0 << QStringList{"", "", ""};
}

void tst_VelorinthApp::trayFollowsTheSession()
{
    QFETCH(double, duration);
    QFETCH(double, elapsed);
    m_rig->app->sleepManager().setSessionDuration(duration);

    m_rig->app->sleepManager().startTimer();
    m_rig->advance(elapsed);

    const TrayImage &image = tray().image();
    QTEST(QStringList({image.symbolName(), tray().title(), image.text()}), "shown");
    QCOMPARE(tray().trayIcon()->toolTip(), "Velorinth" + tray().title());
}

void tst_VelorinthApp::equalValuesArePushedToo()
{
    tray().update(true, "12:34", false);

    m_rig->app->sleepManager().stopTimer(); // idle already: the same values once more

    QCOMPARE(tray().title(), QString());
    QCOMPARE(tray().image(), TrayImage::idle());
}

void tst_VelorinthApp::trayIsGivenOnlyTheSessionsTimes_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<bool>("fade");
    QTest::addColumn<bool>("urgent");

    QTest::newRow("30 min") << 1800.0 << false << false;
    QTest::newRow("30 min, fading") << 1800.0 << true << false;
    QTest::newRow("10 min, fading from the start") << 600.0 << true << false;
    QTest::newRow("4 min: urgent from the start") << 240.0 << false << true;
}

// A tray may paint any icon it is sent: a session's start must not flash the end's "00:00".
void tst_VelorinthApp::trayIsGivenOnlyTheSessionsTimes()
{
    QFETCH(double, duration);
    QFETCH(bool, fade);
    QFETCH(bool, urgent);
    SleepManager &manager = m_rig->app->sleepManager();
    manager.setSessionDuration(duration);
    manager.setFadeOutEnabled(fade);
    QList<QStringList> given; // symbol, time as the image writes it, tooltip
    for (const auto published :
         {&SleepManager::isActiveChanged, &SleepManager::timeRemainingChanged})
        connect(&manager, published, this, [&] {
            given.append(
                {tray().image().symbolName(), tray().image().text(), tray().trayIcon()->toolTip()});
        });

    manager.startTimer();
    m_rig->advance(2);
    manager.stopTimer();
    manager.startTimer();
    m_rig->advance(2);
    manager.startTimer(); // again while it runs

    QVERIFY(!given.isEmpty());
    for (const QStringList &shown : std::as_const(given)) {
        if (shown[0].isEmpty()) { // idle
            QCOMPARE(shown[2], "Velorinth");
            continue;
        }
        QVERIFY2(shown[1] != "0:00" && !shown[2].endsWith("00:00"), qPrintable(shown.join('|')));
        QCOMPARE(shown[0] == "moon.zzz.fill", urgent);
    }
}

void tst_VelorinthApp::panelIsBuiltAnewAtEachOpening()
{
    const auto stopQuestion = [&] { return tray().panel()->findChild<ConfirmationOverlay *>(); };
    m_rig->app->sleepManager().startTimer();
    click();
    QPointer<PanelWindow> first = tray().panel();
    stopQuestion()->present();
    Q_EMIT tray().trayIcon()->activated(QSystemTrayIcon::Context); // the right button
    QCOMPARE(tray().panel(), first.data());

    click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!tray().panel() && !first);
    click();
    QVERIFY(!stopQuestion()->isPresented()); // closed with the question up: nothing answered
    QVERIFY(m_rig->app->sleepManager().isActive());

    QPointer<PanelWindow> hidden = tray().panel();
    hidden->hide(); // by the desktop, not closed: the next click opens a new one
    click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!hidden && tray().panel()->isVisible());
}

void tst_VelorinthApp::aClickOnTheIconAlwaysToggles_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("watching"); // the desktop's presses, each of which would wake the app

    // The pointer rests on the icon at (400, 10); a StatusNotifierItem host gives no geometry.
    // "press": a press in another application, on the icon (a StatusNotifierItem host's),
    // "press far": one elsewhere, "press in app": one in a window of the app (an embedded
    // icon's); the app sees them only while it watches. "release": the button comes up;
    // "click": the icon's activation, "double": the same as a double click; "unseen": presses
    // in other applications go unseen from the next opening on (XWayland); "focus lost": the
    // app loses the focus to another application; "wait": seconds pass.
    QTest::newRow("press on the icon, its activation while the button is down")
        << QStringList{"click", "press", "click"} << false << false;
    QTest::newRow("press on the icon, the host's activation at button up")
        << QStringList{"click", "press", "wait 0.3", "release", "click"} << false << false;
    QTest::newRow("press on the icon, then a later click opens it again")
        << QStringList{"click", "press", "release", "click", "wait 1", "click"} << true << true;
    QTest::newRow("press on the icon without an activation, a later click opens it")
        << QStringList{"click", "press", "release", "wait 1", "click"} << true << true;
    QTest::newRow("held a second, the host's activation at button up")
        << QStringList{"click", "press", "wait 1", "release", "click"} << false << false;
    QTest::newRow("press elsewhere, then a quick click on the icon opens it")
        << QStringList{"click", "press far", "click"} << true << true;
    QTest::newRow("press on the icon, then a quick new press on an embedded icon opens it")
        << QStringList{"click", "press", "press in app", "click"} << true << true;
    QTest::newRow("a quick second click, as a double click, closes it")
        << QStringList{"click", "double"} << false << false;
    QTest::newRow("and a third one opens it")
        << QStringList{"click", "double", "click"} << true << true;
    QTest::newRow("a press in a window of the app leaves it open")
        << QStringList{"click", "press in app", "release"} << true << true;
    QTest::newRow("a press in another application closes it")
        << QStringList{"click", "press far", "release"} << false << false;
    QTest::newRow("presses seen: losing the focus leaves it open")
        << QStringList{"click", "focus lost"} << true << true;
    QTest::newRow("presses unseen: losing the focus closes it")
        << QStringList{"unseen", "click", "focus lost"} << false << false;
    QTest::newRow("presses unseen: the icon's activation after the loss is the same click")
        << QStringList{"unseen", "click", "focus lost", "wait 0.2", "click"} << false << false;
    QTest::newRow("presses unseen: a later click opens it again")
        << QStringList{"unseen", "click", "focus lost", "wait 1", "click"} << true << false;
}

void tst_VelorinthApp::aClickOnTheIconAlwaysToggles()
{
    QFETCH(QStringList, steps);
    const QPoint icon(400, 10);
    QCursor::setPos(icon);
    FakePressWatch &presses = *m_rig->fakes.presses;
    const auto press = [&](QPoint where, PressWatch::Place place) {
        QCursor::setPos(where);
        if (presses.watching)
            Q_EMIT presses.pressed(place);
        QCursor::setPos(icon);
    };
    for (const QString &step : std::as_const(steps)) {
        if (step == "click") {
            click();
        } else if (step == "double") {
            Q_EMIT tray().trayIcon()->activated(QSystemTrayIcon::DoubleClick);
        } else if (step == "press") {
            press(icon, PressWatch::Place::Elsewhere);
        } else if (step == "press far") {
            press({700, 700}, PressWatch::Place::Elsewhere);
        } else if (step == "press in app") {
            press(icon, PressWatch::Place::InThisApp);
        } else if (step == "release") {
            if (presses.watching)
                Q_EMIT presses.released();
        } else if (step == "unseen") {
            presses.reach = PressWatch::Reach::Nowhere;
        } else if (step == "focus lost") {
            Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
        } else {
            m_rig->advance(step.section(' ', 1).toDouble());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTEST(tray().panel() && tray().panel()->isVisible(), "open");
    QTEST(presses.watching, "watching");
}

void tst_VelorinthApp::focusLossClosesThePanelOnce()
{
    m_rig->fakes.presses->reach = PressWatch::Reach::Nowhere;
    click();
    QPointer<PanelWindow> panel = tray().panel();
    QSignalSpy closed(panel.data(), &PanelWindow::closed);

    for (int i = 0; i < 3; ++i)
        Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(closed.count(), 1);
    QVERIFY(!panel); // closed and gone: nothing refused it
}

void tst_VelorinthApp::openWindowButtonLeavesThePanelOpen()
{
    MainWindow &window = m_rig->app->mainWindow();
    window.hide();
    click();
    QAbstractButton *open = openWindowButton(*tray().panel());
    QVERIFY(open);

    QTest::mouseClick(open, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(window.isVisible());
    QVERIFY(tray().panel() && tray().panel()->isVisible());
    QTest::keyClick(tray().panel(), Qt::Key_Escape); // the user's own close still works
    QVERIFY(!tray().panel() || !tray().panel()->isVisible());
}

void tst_VelorinthApp::windowKeepsItsSize_data()
{
    QTest::addColumn<Qt::WindowState>("state");

    QTest::newRow("maximised") << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

void tst_VelorinthApp::windowKeepsItsSize()
{
    QFETCH(Qt::WindowState, state);
    MainWindow &window = m_rig->app->mainWindow();
    const QSize size = window.size();

    window.setWindowState(state); // as a window manager would ask

    QCOMPARE(window.windowState(), Qt::WindowNoState);
    QCOMPARE(window.size(), size);
    QCOMPARE(size, QSize(320, 560));
}

void tst_VelorinthApp::panelFollowsTheHeightRule_data()
{
    QTest::addColumn<bool>("schedule");
    QTest::addColumn<bool>("session");
    QTest::addColumn<int>("height");

    QTest::newRow("schedule switched on") << true << false << 290;
    QTest::newRow("session started") << false << true << 300;
}

void tst_VelorinthApp::panelFollowsTheHeightRule()
{
    QFETCH(bool, schedule);
    QFETCH(bool, session);
    tray().openPanel();
    PanelWindow *panel = tray().panel();
    QCOMPARE(panel->panelGeometry().size(), QSize(280, 280));

    m_rig->app->sleepManager().setScheduleEnabled(schedule);
    if (session)
        m_rig->app->sleepManager().startTimer();
    QCoreApplication::sendPostedEvents();
    setAnimationTimes(panel, 5000);

    QTEST(panel->panelGeometry().height(), "height");
}

void tst_VelorinthApp::closingTheWindow_data()
{
    QTest::addColumn<bool>("trayPresent");

    QTest::newRow("with a tray: only hidden") << true;
    QTest::newRow("without a tray: quits") << false;
}

void tst_VelorinthApp::closingTheWindow()
{
    QFETCH(bool, trayPresent);
    QWidget window;
    WindowHideDelegate delegate(&window, [=] { return trayPresent; });
    QSignalSpy quit(&delegate, &WindowHideDelegate::quitRequested);
    window.show();

    closeAsTheWindowManagerDoes(window);

    QVERIFY(window.isHidden());
    QCOMPARE(quit.count(), trayPresent ? 0 : 1);
}

void tst_VelorinthApp::closingWithoutATrayKeepsWhatRuns_data()
{
    QTest::addColumn<bool>("session");
    QTest::addColumn<bool>("schedule");
    QTest::addColumn<bool>("quits");

    QTest::newRow("a session runs: hidden") << true << false << false;
    QTest::newRow("the daily schedule is on: hidden") << false << true << false;
    QTest::newRow("neither: quits") << false << false << true;
}

void tst_VelorinthApp::closingWithoutATrayKeepsWhatRuns()
{
    QFETCH(bool, session);
    QFETCH(bool, schedule);
    QFETCH(bool, quits);
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); // the offscreen desktop has none
    SleepManager &manager = m_rig->app->sleepManager();
    manager.setScheduleEnabled(schedule);
    if (session)
        manager.startTimer();
    MainWindow &window = m_rig->app->mainWindow();
    auto *hiding = window.findChild<WindowHideDelegate *>();
    QVERIFY(hiding);
    QSignalSpy quit(hiding, &WindowHideDelegate::quitRequested);

    closeAsTheWindowManagerDoes(window);

    QVERIFY(window.isHidden());
    QCOMPARE(quit.count(), quits ? 1 : 0);
    QCOMPARE(manager.isActive(), session);
}

void tst_VelorinthApp::everyQuitClosesThePanel_data()
{
    QTest::addColumn<bool>("fromPanel"); // its quit button, or the window closed without a tray

    QTest::newRow("the panel's quit button") << true;
    QTest::newRow("the window closed without a tray") << false;
}

void tst_VelorinthApp::everyQuitClosesThePanel()
{
    QFETCH(bool, fromPanel);
    click();
    QPointer<PanelWindow> panel = tray().panel();
    QAbstractButton *quit = panelButton(*panel, "Quitter Velorinth");
    QVERIFY(quit);

    if (fromPanel)
        QTest::mouseClick(quit, Qt::LeftButton);
    else
        closeAsTheWindowManagerDoes(m_rig->app->mainWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!panel);
    QVERIFY(!m_rig->fakes.presses->watching);
}

void tst_VelorinthApp::quitCleansUpOnce_data()
{
    QTest::addColumn<bool>("ledOptionOn");
    QTest::addColumn<QList<QStringList>>("commands");

    const QStringList off{"magsafe-led", "always-off"};
    const QStringList on{"magsafe-led", "enable"};
    QTest::newRow("LED option on: the LED comes back") << true << QList<QStringList>{off, on};
    QTest::newRow("LED option off: nothing to do") << false << QList<QStringList>{};
}

void tst_VelorinthApp::quitCleansUpOnce()
{
    QFETCH(bool, ledOptionOn);
    if (ledOptionOn)
        m_rig->app->sleepManager().setLEDOff(true);
    QTRY_COMPARE(m_batt->calls().size(), ledOptionOn ? 1 : 0);

    m_rig->app->delegate().applicationWillTerminate(); // waits for the command
    m_rig->app->delegate().applicationWillTerminate(); // a second signal, say

    QTEST(m_batt->calls(), "commands");
    QVERIFY(!m_rig->fakes.defaults->values.value(SettingsKeys::isLEDOff).toBool());
}

void tst_VelorinthApp::quitDuringAFadeGivesTheVolumeBack()
{
    m_rig->app->sleepManager().setFadeOutEnabled(true);
    m_rig->app->sleepManager().startTimer();
    m_rig->advance(1200); // 600 s left, a third of the way down
    QVERIFY(m_rig->fakes.volume->writes.last() < 70);

    m_rig->app->delegate().applicationWillTerminate();

    QCOMPARE(m_rig->fakes.volume->writes.last(), 100);
    QVERIFY(!m_rig->fakes.defaults->values.contains(SettingsKeys::fadeInProgress));
}

QTEST_MAIN(tst_VelorinthApp)
#include "tst_velorinth_app.moc"
