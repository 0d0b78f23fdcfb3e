// Renders the setup and running screens to PNG under the build tree, for people to look
// at, and checks the few pixels that tell them apart. Runs at 1x and, through
// QT_SCALE_FACTOR=2, at 2x.
#include "main_window/active_view.h"
#include "main_window/screen_rig.h"
#include "main_window/setup_view.h"
#include "main_window/volume_bar.h"
#include "support/animation_time.h"
#include "support/gallery.h"
#include "support/pixels.h"

#include <QtTest>

using namespace velorinth;

namespace {

QImage rendered(QWidget *screen, const QString &name)
{
    setAnimationTimes(screen, 3000);
    QCoreApplication::processEvents(); // layout requests
    const QImage image = screen->grab().toImage();
    if (!saveToGallery(name, image))
        qWarning("cannot write %s", qPrintable(name));
    return image;
}

bool isLight(QColor c)
{
    return c.lightness() > 150;
}

} // namespace

class tst_ScreenGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setupScreen();
    void runningScreen();
};

void tst_ScreenGallery::setupScreen()
{
    ScreenRig<SetupView> timer({{SettingsKeys::isFadeOutEnabled, true}});
    const QImage timerImage = rendered(timer.screen.get(), QStringLiteral("setup_timer"));
    ScreenRig<SetupView> schedule({{SettingsKeys::isScheduleEnabled, true},
                                   {SettingsKeys::scheduledTime, paris("2026-01-10T22:30:00")}});
    const QImage scheduleImage = rendered(schedule.screen.get(), QStringLiteral("setup_schedule"));

    // The big minutes number fills the middle of the timer mode only.
    const QRectF number(110, 110, 100, 60);
    QVERIFY(countPixels(timerImage, number, isLight) > 300);
    QVERIFY(countPixels(scheduleImage, number, isLight) < 50);
    // The volume card is lit.
    QVERIFY(countPixels(timerImage, QRectF(0, 300, 320, 110), isBlue) > 20);
}

void tst_ScreenGallery::runningScreen()
{
    ScreenRig<ActiveView> running;
    running.run(1800, 600);
    const QImage plain = rendered(running.screen.get(), QStringLiteral("running"));
    ScreenRig<ActiveView> fading({{SettingsKeys::isFadeOutEnabled, true}});
    fading.run(1800, 1350); // level 50 of 100: a purple bar half full
    const QImage faded = rendered(fading.screen.get(), QStringLiteral("running_fading"));

    // Two thirds of the ring: the arc at 3 o'clock, none at 10 o'clock.
    const QRectF ring(50, (ScreenRig<ActiveView>::kSize.height() - 306) / 2, 220, 220);
    const auto arc = [](QColor c) { return c.saturation() > 120 && c.value() > 120; };
    const QRectF threeOClock(ring.right() - 6, ring.center().y() - 3, 6, 6);
    const QRectF tenOClock(ring.left() + 14, ring.top() + 52, 10, 10);
    QVERIFY(countPixels(plain, threeOClock, arc) > 0);
    QCOMPARE(countPixels(plain, tenOClock, arc), 0);
    // Half the bar filled, in purple.
    const QWidget *bar = fading.screen->findChild<VolumeBar *>();
    QVERIFY(bar->isVisible());
    const qreal trackTop = bar->mapTo(fading.screen.get(), QPoint(0, bar->height())).y() - 4;
    QVERIFY(countPixels(faded, QRectF(30, trackTop, 130, 4), isPurple) > 200);
    QCOMPARE(countPixels(faded, QRectF(160, trackTop, 130, 4), isPurple), 0);
}

QTEST_MAIN(tst_ScreenGallery)
#include "tst_screen_gallery.moc"
