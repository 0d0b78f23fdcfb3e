// The panel in its main states, written to PNG under the build tree for people to look
// at, with the few pixels that tell the states apart. Runs at 1x and, through
// QT_SCALE_FACTOR=2, at 2x.
#include "menu_bar/panel_rig.h"
#include "support/gallery.h"
#include "support/pixels.h"

using namespace velorinth;

namespace {

bool isGold(QColor c)
{
    return c.red() > 200 && c.green() > 150 && c.blue() < 80;
}

} // namespace

class tst_MenuBarGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void panels_data();
    void panels();
};

void tst_MenuBarGallery::panels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("scheduled");
    QTest::addColumn<double>("remaining"); // of a 30-minute session; 0: none
    QTest::addColumn<bool>("prompt");
    QTest::newRow("idle, timer mode")
        << QStringLiteral("panel_idle_timer") << false << 0.0 << false;
    QTest::newRow("idle, scheduled")
        << QStringLiteral("panel_idle_schedule") << true << 0.0 << false;
    QTest::newRow("running") << QStringLiteral("panel_running") << false << 1350.0 << false;
    QTest::newRow("urgent") << QStringLiteral("panel_urgent") << false << 200.0 << false;
    QTest::newRow("installer sheet") << QStringLiteral("panel_sheet") << false << 0.0 << true;
    QTest::newRow("helper unavailable")
        << QStringLiteral("panel_sheet_unavailable") << false << 0.0 << true;
}

void tst_MenuBarGallery::panels()
{
    QFETCH(QString, name);
    QFETCH(bool, scheduled);
    QFETCH(double, remaining);
    QFETCH(bool, prompt);
    PanelRig rig;
    // Where the helper can be installed, the sheet's gold button offers it.
    const bool offersInstall = name == QLatin1String("panel_sheet");
    if (offersInstall)
        rig.engine.fakes.platform.host = HostTraits::mac();
    rig.manager().setScheduledTime(paris(QStringLiteral("2026-01-15T23:30:00")));
    rig.manager().setScheduleEnabled(scheduled);
    rig.manager().setFadeOutEnabled(true);
    if (remaining > 0)
        rig.runSession(1800, remaining);
    if (prompt)
        rig.manager().setLEDOff(true); // without the helper: the prompt
    const auto panel = rig.openPanel();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    settle(panel.get());
    const QImage image = panel->grab().toImage();
    QVERIFY(saveToGallery(name, image));

    QCOMPARE(panel->size(), panel->sizeHint());
    if (prompt) {
        QCOMPARE(panel->width(), 340);
        // Below the bolt: the install button and the steps' numbers, or no gold at all.
        const QRectF belowIcon(0, 100, 340, panel->height() - 100);
        QCOMPARE(countPixels(image, belowIcon, isGold) > 500, offersInstall);
        return;
    }
    QCOMPARE(panel->height(), MenuBarView::menuBarHeight(rig.manager()));
    // Between the header and the option row: the session area.
    const QRectF session(0, 60, 280, 150);
    QCOMPARE(countPixels(image, session, isGold), 0);
    if (remaining == 0) // the running ring's gradient holds purple too
        QCOMPARE(countPixels(image, session, isPurple) > 100, scheduled);
}

VELORINTH_TEST_APP_MAIN_IN_PARIS(QApplication, tst_MenuBarGallery)
#include "tst_menu_bar_gallery.moc"
