#include "app/main_window.h"
#include "app/panel_window.h"
#include "app/window_hide_delegate.h"
#include "app_rig.h"
#include "design/confirmation_overlay.h"
#include "support/animation_time.h"
#include "engine/settings_keys.h"
#include "support/stub_program.h"

#include <QPointer>
#include <QSpontaneKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace velorinth;

namespace {

constexpr int kProcessTimeoutMs = 20000;

// As the window manager asks (Alt+F4, its close button): a spontaneous close event.
void closeAsTheUserDoes(QWidget &window)
{
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(&window, &event); // sendEvent() would drop the spontaneity
}

} // namespace

class tst_VelorinthApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trayAppearsWhenTheContentFirstShows();
    void trayFollowsTheSession_data();
    void trayFollowsTheSession();
    void equalValuesArePushedToo();
    void panelIsBuiltAnewAtEachOpening();
    void panelFollowsTheHeightRule_data();
    void panelFollowsTheHeightRule();
    void closingTheWindow_data();
    void closingTheWindow();
    void reopenBringsTheSameWindowBack();
    void quitCleansUpOnce_data();
    void quitCleansUpOnce();
    void quitDuringAFadeGivesTheVolumeBack();
};

void tst_VelorinthApp::trayAppearsWhenTheContentFirstShows()
{
    AppRig rig;
    StatusBarManager &tray = rig.app->statusBar();
    QVERIFY(!tray.trayIcon());

    rig.app->mainWindow().show();
    QSystemTrayIcon *first = tray.trayIcon();
    QVERIFY(first);
    rig.app->mainWindow().hide();
    rig.app->mainWindow().show();

    QCOMPARE(tray.trayIcon(), first);
    QCOMPARE(tray.title(), QString());
    QCOMPARE(tray.image().symbolName(), QString()); // the app icon
    QCOMPARE(first->toolTip(), "Velorinth");
}

void tst_VelorinthApp::trayFollowsTheSession_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("title");

    QTest::newRow("started") << 1800.0 << 0.0 << "moon.fill"
                             << " 30:00";
    QTest::newRow("first tick") << 1800.0 << 1.0 << "moon.fill"
                                << " 29:59";
    QTest::newRow("300 s is urgent") << 1800.0 << 1500.0 << "moon.zzz.fill"
                                     << " 05:00";
    QTest::newRow("300.5 s is not") << 1800.5 << 1500.0 << "moon.fill"
                                    << " 05:00";
    QTest::newRow("an hour carries hours") << 3600.0 << 0.0 << "moon.fill"
                                           << " 01:00:00";
    QTest::newRow("zero until the stop") << 600.0 << 600.0 << "moon.zzz.fill"
                                         << " 00:00";
    QTest::newRow("stopped after the sleep") << 600.0 << 601.0 << ""
                                             << "";
}

void tst_VelorinthApp::trayFollowsTheSession()
{
    QFETCH(double, duration);
    QFETCH(double, elapsed);
    AppRig rig;
    rig.app->mainWindow().show();
    SleepManager &manager = rig.app->sleepManager();
    manager.setSessionDuration(duration);

    manager.startTimer();
    rig.advance(elapsed);

    const StatusBarManager &tray = rig.app->statusBar();
    QTEST(tray.image().symbolName(), "symbol");
    QTEST(tray.title(), "title");
    QCOMPARE(tray.trayIcon()->toolTip(), "Velorinth" + tray.title());
}

void tst_VelorinthApp::equalValuesArePushedToo()
{
    AppRig rig;
    rig.app->mainWindow().show();
    StatusBarManager &tray = rig.app->statusBar();
    tray.update(true, "12:34", false);

    rig.app->sleepManager().stopTimer(); // idle already: the same values once more

    QCOMPARE(tray.title(), QString());
    QCOMPARE(tray.image().symbolName(), QString());
}

void tst_VelorinthApp::panelIsBuiltAnewAtEachOpening()
{
    AppRig rig;
    rig.app->mainWindow().show();
    StatusBarManager &tray = rig.app->statusBar();
    const auto click = [&] { Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Trigger); };
    const auto stopQuestion = [&] { return tray.panel()->findChild<ConfirmationOverlay *>(); };

    click();
    QPointer<PanelWindow> first = tray.panel();
    QVERIFY(first && first->isVisible());
    stopQuestion()->present();
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Context); // the right button
    QCOMPARE(tray.panel(), first.data());
    click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!tray.panel() && !first);

    click();
    QVERIFY(!stopQuestion()->isPresented());
    tray.panel()->hide(); // by the desktop, not closed: the next click opens a new one
    QPointer<PanelWindow> hidden = tray.panel();
    click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!hidden);
    QVERIFY(tray.panel() && tray.panel()->isVisible());
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
    AppRig rig;
    rig.app->mainWindow().show();
    StatusBarManager &tray = rig.app->statusBar();
    tray.openPanel();
    PanelWindow *panel = tray.panel();
    QCOMPARE(panel->panelGeometry().size(), QSize(280, 280));

    rig.app->sleepManager().setScheduleEnabled(schedule);
    if (session)
        rig.app->sleepManager().startTimer();
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

    closeAsTheUserDoes(window);

    QVERIFY(window.isHidden());
    QCOMPARE(quit.count(), trayPresent ? 0 : 1);
}

void tst_VelorinthApp::reopenBringsTheSameWindowBack()
{
    AppRig rig;
    MainWindow &window = rig.app->mainWindow();
    window.show();
    closeAsTheUserDoes(window); // no tray here: hidden, and the app asked to quit
    QVERIFY(window.isHidden());

    QVERIFY(!rig.app->delegate().applicationShouldHandleReopen());

    QVERIFY(window.isVisible());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget *w) { return qobject_cast<MainWindow *>(w) != nullptr; }),
             1);
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
    QTemporaryDir bin;
    const StubProgram batt(bin.path(), "batt");
    AppRig rig(batt.path());
    rig.app->mainWindow().show();
    if (ledOptionOn)
        rig.app->sleepManager().setLEDOff(true);
    QTRY_COMPARE_WITH_TIMEOUT(batt.calls().size(), ledOptionOn ? 1 : 0, kProcessTimeoutMs);

    rig.app->delegate().applicationWillTerminate(); // waits for the command
    rig.app->delegate().applicationWillTerminate(); // a second signal, say

    QTEST(batt.calls(), "commands");
    QVERIFY(!rig.fakes.defaults->values.value(SettingsKeys::isLEDOff).toBool());
}

void tst_VelorinthApp::quitDuringAFadeGivesTheVolumeBack()
{
    AppRig rig;
    rig.app->mainWindow().show();
    SleepManager &manager = rig.app->sleepManager();
    manager.setFadeOutEnabled(true);
    manager.startTimer();
    rig.advance(1200); // 600 s left, a third of the way down
    QVERIFY(rig.fakes.volume->writes.last() < 70);

    rig.app->delegate().applicationWillTerminate();

    QCOMPARE(rig.fakes.volume->writes.last(), 100);
    QVERIFY(!manager.isActive());
    QVERIFY(!rig.fakes.defaults->values.contains(SettingsKeys::fadeInProgress));
}

QTEST_MAIN(tst_VelorinthApp)
#include "tst_velorinth_app.moc"
