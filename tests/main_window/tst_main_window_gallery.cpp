// Renders the main window's views in their states to PNG under the build tree, for people
// to look at, and checks the few pixels that tell the states apart. Runs at 1x and,
// through QT_SCALE_FACTOR=2, at 2x.
#include "main_window/background_view.h"
#include "main_window/content_view.h"
#include "main_window/error_banner.h"
#include "main_window/launch_splash_view.h"

#include "design/confirmation_overlay.h"
#include "engine/sleep_manager_rig.h"
#include "main_window/control_testing.h"
#include "main_window/view_testing.h"
#include "support/animation_time.h"
#include "support/pixels.h"

#include <QtTest>

using namespace velorinth;

class tst_MainWindowGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splashPhases();
    void banners();
    void contentView();
};

void tst_MainWindowGallery::splashPhases()
{
    // On the black of an empty window: the splash fades out to what lies below it.
    QWidget window;
    window.resize(320, 560);
    putOnBlack(&window);
    LaunchSplashView splash(LaunchPhase::Hidden, &window);
    splash.resize(window.size());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    struct Moment
    {
        LaunchPhase phase;
        QString name;
        int midway; // ms into the phase for a picture on the way; 0 for none
    };
    const Moment moments[] = {
        {LaunchPhase::Hidden, QStringLiteral("hidden"), 0},
        {LaunchPhase::Particles, QStringLiteral("particles"), 350},
        {LaunchPhase::MoonDraw, QStringLiteral("moon"), 450},
        {LaunchPhase::TitleReveal, QStringLiteral("title"), 200},
        {LaunchPhase::Tagline, QStringLiteral("tagline"), 200},
        {LaunchPhase::Revealing, QStringLiteral("revealing"), 250},
    };
    QList<QImage> ends;
    for (const Moment &moment : moments) {
        splash.setPhase(moment.phase);
        if (moment.midway > 0) {
            runTimelines(moment.midway);
            setAnimationTimes(&splash, moment.midway);
            QVERIFY(saveToGallery(QStringLiteral("splash-%1-midway").arg(moment.name),
                                  window.grab().toImage()));
        }
        runTimelines(2000);
        setAnimationTimes(&splash, 5000);
        ends.append(window.grab().toImage());
        QVERIFY(saveToGallery(QStringLiteral("splash-%1").arg(moment.name), ends.last()));
    }
}

void tst_MainWindowGallery::banners()
{
    BackgroundView ground;
    ground.resize(320, 200);
    auto *shortOne = new ErrorBanner(
        QStringLiteral("Veille refusée"), [] {}, &ground);
    auto *cut = new ErrorBanner(
        QStringLiteral("Erreur : la mise en veille a échoué, le service "
                       "de gestion de session a refusé la demande "
                       "parce qu'une autre application la bloque."),
        [] {}, &ground);
    shortOne->setGeometry(0, 0, 320, shortOne->sizeHint().height());
    cut->setGeometry(0, 80, 320, cut->sizeHint().height());
    ground.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ground));
    const QImage image = ground.grab().toImage();
    QVERIFY(saveToGallery(QStringLiteral("banners"), image));
    // The pink hairline along the strip's top edge, the grey fill inside.
    const QRectF strip = shortOne->strip();
    const auto pinkish = [](QColor c) { return c.red() > c.green() + 20 && c.red() > 40; };
    QVERIFY(countPixels(image, QRectF(strip.center().x() - 20, strip.top() - 0.5, 40, 1), pinkish)
            > 10);
    const QColor fill = image.pixelColor(
        (QPointF(strip.center().x(), strip.bottom() - 4) * image.devicePixelRatio()).toPoint());
    QVERIFY(qAbs(fill.red() - 20) <= 2 && fill.red() == fill.blue());
}

void tst_MainWindowGallery::contentView()
{
    SleepManagerRig rig(QStringLiteral("2026-01-10T22:00:00"));
    ContentView view(*rig.manager, ContentView::Launch::Play);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QApplication::setActiveWindow(&view);
    const auto shot = [&](const QString &name, int milliseconds) {
        setAnimationTimes(&view, milliseconds);
        const QImage image = view.grab().toImage();
        saveToGallery(QStringLiteral("content-%1").arg(name), image);
        return image;
    };
    runTimelines(3200); // the splash fades out
    setAnimationTimes(&view, 600);
    runTimelines(3800); // and the content rises in
    shot(QStringLiteral("entrance"), 150);
    const QImage idle = shot(QStringLiteral("idle"), 3000);

    const QRectF button(70, 456, 180, 54);
    QVERIFY(countPixels(idle, button, isBlue) > 1000);
    QCOMPARE(countPixels(idle, button, isPink), 0);

    rig.manager->setErrorMessage(QStringLiteral("Veille refusée"));
    shot(QStringLiteral("banner"), 3000);
    rig.manager->setErrorMessage(std::nullopt);
    setAnimationTimes(&view, 3000);

    QTest::keyClick(&view, Qt::Key_Space);
    QCoreApplication::sendPostedEvents();
    shot(QStringLiteral("starting"), 120);
    const QImage running = shot(QStringLiteral("running"), 3000);
    QVERIFY(countPixels(running, button, isPink) > 20);

    QTest::keyClick(&view, Qt::Key_Space);
    const QImage asking = shot(QStringLiteral("confirmation"), 3000);
    QVERIFY(view.findChild<ConfirmationOverlay *>()->isPresented());
    // The window dims behind the question.
    QVERIFY(asking.pixelColor(4, 4).lightness() < running.pixelColor(4, 4).lightness()
            || running.pixelColor(4, 4).lightness() == 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // the ring on "Arrêter"
    shot(QStringLiteral("confirmation-focused"), 3000);
}

QTEST_MAIN(tst_MainWindowGallery)
#include "tst_main_window_gallery.moc"
