#include "design/confirmation_overlay.h"
#include "menu_bar/batt_install_sheet.h"
#include "menu_bar/menu_bar_active_view.h"
#include "menu_bar/menu_bar_idle_view.h"
#include "menu_bar/panel_rig.h"
#include "support/environment_override.h"
#include "support/pixels.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::HostTraits)

namespace {
// Puts the stop question with the running view's stop button and lets it show in full.
ConfirmationOverlay *askToStop(MenuBarView &panel)
{
    press(&panel, QStringLiteral("Arrêter la minuterie"));
    setAnimationTimes(&panel, 1000);
    return panel.findChild<ConfirmationOverlay *>();
}
} // namespace

class tst_MenuBarView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void heightFollowsTheSession_data();
    void heightFollowsTheSession();
    void stopQuestion_data();
    void stopQuestion();
    void stopQuestionGoesWhenTheSessionEnds_data();
    void stopQuestionGoesWhenTheSessionEnds();
    void moonPulsesInTheLastFiveMinutes_data();
    void moonPulsesInTheLastFiveMinutes();
    void buttonsNamedForScreenReaders_data();
    void buttonsNamedForScreenReaders();
    void sheetRaisedBeforeTheOpening();
    void sheetWhileInstalling();
    void sheetOnEachHost_data();
    void sheetOnEachHost();
};

void tst_MenuBarView::heightFollowsTheSession_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("scheduled");
    QTest::addColumn<int>("height");
    QTest::newRow("idle") << false << false << 280;
    QTest::newRow("idle, scheduled") << false << true << 290;
    QTest::newRow("running") << true << false << 300;
    QTest::newRow("running, scheduled") << true << true << 300;
}

void tst_MenuBarView::heightFollowsTheSession()
{
    QFETCH(bool, running);
    QFETCH(bool, scheduled);
    QFETCH(int, height);
    PanelRig rig;
    const auto panel = rig.openPanel();
    QSignalSpy resized(panel.get(), &MenuBarView::preferredSizeChanged);
    // Changed while the panel is open, as from the main window or the panel itself.
    rig.manager().setScheduleEnabled(scheduled);
    if (running)
        rig.runSession(1800, 1700);
    QCOMPARE(MenuBarView::menuBarHeight(rig.manager()), height);
    settle(panel.get());
    QCOMPARE(panel->sizeHint(), QSize(280, height));
    QCOMPARE(resized.isEmpty(), height == 280);
    QCOMPARE(panel->findChild<MenuBarActiveView *>() != nullptr, running);
}

void tst_MenuBarView::stopQuestion_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QList<int>>("keys"); // to whatever has the focus; none: a click
    QTest::newRow("Arrêter stops the session") << true << QList<int>();
    QTest::newRow("Annuler keeps it running") << false << QList<int>();
    QTest::newRow("Tab, Return: Arrêter") << true << QList<int>{Qt::Key_Tab, Qt::Key_Return};
    QTest::newRow("Tab twice, Space: Annuler")
        << false << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space};
}

void tst_MenuBarView::stopQuestion()
{
    QFETCH(bool, confirm);
    QFETCH(QList<int>, keys);
    PanelRig rig;
    rig.runSession(1800, 1000);
    const auto panel = rig.openPanel();
    QApplication::setActiveWindow(panel.get());
    auto *question = askToStop(*panel);
    QVERIFY(question->isPresented());
    const QRect answer = confirm ? question->confirmButtonRect() : question->cancelButtonRect();
    if (keys.isEmpty())
        QTest::mouseClick(question, Qt::LeftButton, {}, answer.center());
    for (const int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(!question->isPresented());
    QCOMPARE(rig.manager().isActive(), !confirm);
    settle(panel.get());
    QCOMPARE(panel->findChild<MenuBarIdleView *>() != nullptr, confirm);
    QCOMPARE(panel->sizeHint().height(), confirm ? 280 : 300);
}

void tst_MenuBarView::stopQuestionGoesWhenTheSessionEnds_data()
{
    QTest::addColumn<bool>("runsOut"); // else stopped from the main window
    QTest::newRow("the time runs out") << true;
    QTest::newRow("stopped elsewhere") << false;
}

void tst_MenuBarView::stopQuestionGoesWhenTheSessionEnds()
{
    QFETCH(bool, runsOut);
    PanelRig rig;
    rig.runSession(1800, 60);
    const auto panel = rig.openPanel();
    auto *question = askToStop(*panel);
    QVERIFY(question->isPresented());

    if (runsOut)
        rig.engine.advance(60 + 0.5); // the sleep, then the engine's own stop
    else
        rig.manager().stopTimer();
    settle(panel.get());
    QVERIFY(!rig.manager().isActive());
    QVERIFY(!question->isPresented());
    QVERIFY(!question->isVisible());
}

void tst_MenuBarView::moonPulsesInTheLastFiveMinutes_data()
{
    QTest::addColumn<double>("atOpening"); // seconds left
    QTest::addColumn<double>("thenPassing");
    QTest::newRow("opened with 300 s left") << 300.0 << 0.0;
    QTest::newRow("open as 300 s come") << 301.0 << 1.0;
}

void tst_MenuBarView::moonPulsesInTheLastFiveMinutes()
{
    QFETCH(double, atOpening);
    QFETCH(double, thenPassing);
    PanelRig rig;
    rig.runSession(1800, atOpening);
    const auto panel = rig.openPanel();
    settle(panel.get());
    rig.engine.advance(thenPassing);
    auto *running = panel->findChild<MenuBarActiveView *>();
    // The moon inside the ring, pink while urgent; 0.7 s from full opacity to its faintest.
    const auto moon = [&](int milliseconds) {
        setAnimationTimes(panel.get(), milliseconds);
        return countPixels(running->grab().toImage(), QRectF(32, 16, 20, 20), isPink);
    };
    const int full = moon(0);
    QVERIFY(full > 10);
    QVERIFY(moon(700) < full / 2);
    QCOMPARE(moon(1400), full);
}

void tst_MenuBarView::buttonsNamedForScreenReaders_data()
{
    QTest::addColumn<bool>("running");
    // Buttons that show a symbol alone, or a number whose unit is painted apart.
    QTest::addColumn<QStringList>("symbols");
    QTest::newRow("idle") << false
                          << QStringList{"Ouvrir Velorinth", "Quitter Velorinth", "15 minutes",
                                         "30 minutes",       "60 minutes",        "90 minutes"};
    QTest::newRow("running") << true << QStringList{"Arrêter la minuterie", "Ouvrir Velorinth",
                                                    "Quitter Velorinth",    "Retirer 5 minutes",
                                                    "Ajouter 5 minutes",    "Ajouter 10 minutes"};
}

void tst_MenuBarView::buttonsNamedForScreenReaders()
{
    QFETCH(bool, running);
    QFETCH(QStringList, symbols);
    PanelRig rig;
    if (running)
        rig.runSession(1800, 1200);
    const auto panel = rig.openPanel();
    settle(panel.get());
    QStringList named;
    for (QAbstractButton *button : panel->findChildren<QAbstractButton *>()) {
        if (!button->isVisibleTo(panel.get()))
            continue;
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), button->metaObject()->className());
        named.append(name);
    }
    for (const QString &symbol : symbols)
        QVERIFY2(named.contains(symbol), qPrintable(symbol));
}

void tst_MenuBarView::sheetRaisedBeforeTheOpening()
{
    PanelRig rig;
    rig.engine.fakes.platform.host = HostTraits::mac();
    rig.manager().setLEDOff(true); // no helper: the option falls back and the prompt rises
    QVERIFY(!rig.manager().isLEDOff());
    QVERIFY(rig.manager().showBattInstallPrompt());
    const auto panel = rig.openPanel();
    auto *sheet = panel->findChild<BattInstallSheet *>();
    QVERIFY(sheet->isVisible());
    QCOMPARE(panel->width(), 340);
    QCOMPARE(panel->height(), sheet->sizeHint().height());
    press(panel.get(), QStringLiteral("Pas maintenant"));
    QVERIFY(!rig.manager().showBattInstallPrompt());
    QVERIFY(sheet->isHidden());
    QCOMPARE(panel->size(), QSize(280, 280));
}

void tst_MenuBarView::sheetWhileInstalling()
{
    const QTemporaryDir runtime; // where the installer's script goes
    const EnvironmentOverride runtimeVariable("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    PanelRig rig;
    rig.engine.fakes.platform.host = HostTraits::mac();
    const auto panel = rig.openPanel();
    rig.manager().setShowBattInstallPrompt(true);
    auto *sheet = panel->findChild<BattInstallSheet *>();
    QVERIFY(sheet->isVisible());
    const int withoutLog = panel->height();
    QAbstractButton *install = buttonNamed(sheet, QStringLiteral("Installer batt automatiquement"));
    QVERIFY(install && install->isEnabled());

    // The outcome comes back later, through the event loop, which nothing runs here.
    install->click();
    QVERIFY(rig.manager().isBattInstalling());
    QVERIFY(!install->isEnabled());
    QCOMPARE(install->text(), QStringLiteral("Installation…"));
    QCoreApplication::sendPostedEvents(panel.get(), QEvent::LayoutRequest);
    QVERIFY(panel->height() > withoutLog); // the status line
    // Not now closes it even while the installer works.
    press(sheet, QStringLiteral("Pas maintenant"));
    QVERIFY(!rig.manager().showBattInstallPrompt());
}

void tst_MenuBarView::sheetOnEachHost_data()
{
    QTest::addColumn<HostTraits>("host");
    QTest::addColumn<bool>("offersInstall");
    QTest::addColumn<QString>("explanation");
    QTest::addColumn<QString>("stopMessage");

    QTest::newRow("Linux: why it is unavailable")
        << HostTraits::linuxDesktop() << false
        << "Le contrôle LED MagSafe nécessite l'utilitaire batt, qui n'existe que pour les Mac."
        << "L'ordinateur ne se mettra plus en veille automatiquement.";
    QTest::newRow("macOS: the installer")
        << HostTraits::mac() << true
        << "Le contrôle LED MagSafe nécessite l'utilitaire batt.\n"
           "Velorinth peut l'installer automatiquement pour toi."
        << "Le Mac ne se mettra plus en veille automatiquement.";
}

void tst_MenuBarView::sheetOnEachHost()
{
    QFETCH(HostTraits, host);
    QFETCH(bool, offersInstall);
    PanelRig rig;
    rig.engine.fakes.platform.host = host;
    rig.manager().setLEDOff(true); // no helper: the prompt rises
    const auto panel = rig.openPanel();
    auto *sheet = panel->findChild<BattInstallSheet *>();
    QVERIFY(sheet->isVisible());

    QTEST(sheet->explanation(), "explanation");
    QCOMPARE(buttonNamed(sheet, QStringLiteral("Installer batt automatiquement")) != nullptr,
             offersInstall);
    QCOMPARE(panel->width(), 340);
    QTEST(panel->findChild<ConfirmationOverlay *>()->message(), "stopMessage");
    press(sheet, QStringLiteral("Pas maintenant"));
    QVERIFY(!rig.manager().showBattInstallPrompt());
}

VELORINTH_TEST_APP_MAIN_IN_PARIS(QApplication, tst_MenuBarView)
#include "tst_menu_bar_view.moc"
