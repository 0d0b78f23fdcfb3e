#include "engine/screen_fader.h"
#include "support/fake_displays.h"

#include <QTest>

using namespace velorinth;

namespace {

const QRect kLeft(0, 0, 1280, 800);
const QRect kRight(1280, 0, 1280, 1024);

} // namespace

class tst_ScreenFader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void clearWhileIdleCreatesNothing();
    void firstDarknessCoversEveryScreen();
    void clearingHidesAndKeepsTheOverlays();
    void screenChangeWhileDimmingKeepsTheDarkness();
    void screenChangeWhileIdleLeavesHiddenOverlays();
    void screenChangeNoticesCoalesce();
    void startDimming_data();
    void startDimming();
    void stopDimmingClosesEverything();

private:
    std::unique_ptr<FakeDisplays> m_displays;
    std::unique_ptr<ScreenFader> m_fader;
};

void tst_ScreenFader::init()
{
    m_displays = std::make_unique<FakeDisplays>();
    m_displays->setScreens({kLeft, kRight});
    m_fader = std::make_unique<ScreenFader>(*m_displays);
}

void tst_ScreenFader::cleanup()
{
    m_fader.reset();
    m_displays.reset();
}

void tst_ScreenFader::clearWhileIdleCreatesNothing()
{
    m_fader->setOpacity(0.0);
    m_fader->stopDimming();

    QVERIFY(m_displays->overlays.isEmpty());
}

void tst_ScreenFader::firstDarknessCoversEveryScreen()
{
    m_fader->setOpacity(0.5);

    const auto overlays = m_displays->openOverlays();
    QCOMPARE(overlays.size(), 2);
    QCOMPARE(overlays[0].frame, kLeft);
    QCOMPARE(overlays[1].frame, kRight);
    for (const auto &overlay : overlays) {
        QCOMPARE(overlay.alpha, 0.5);
        QVERIFY(overlay.visible);
    }
    // Created transparent and brought to front before the darkness is applied.
    QCOMPARE(m_displays->log,
             QStringList({"create 0", "create 1", "front 0", "front 1", "alpha 0 0.5", "front 0",
                          "alpha 1 0.5", "front 1"}));
}

void tst_ScreenFader::clearingHidesAndKeepsTheOverlays()
{
    m_fader->setOpacity(0.5);
    m_fader->setOpacity(0.0);

    QCOMPARE(m_displays->openOverlays().size(), 2);
    QVERIFY(!m_displays->overlays[0].visible && !m_displays->overlays[1].visible);

    m_fader->setOpacity(0.3);

    QCOMPARE(m_displays->overlays.size(), 2); // the same windows again
    QVERIFY(m_displays->overlays[0].visible && m_displays->overlays[1].visible);
    QCOMPARE(m_displays->overlays[1].alpha, 0.3);
}

void tst_ScreenFader::screenChangeWhileDimmingKeepsTheDarkness()
{
    m_fader->setOpacity(0.4);
    m_displays->setScreens({kLeft});
    QCOMPARE(m_displays->openOverlays().size(), 2); // not before the event loop turns

    QCoreApplication::processEvents();

    const auto open = m_displays->openOverlays();
    QCOMPARE(open.size(), 1);
    QCOMPARE(open[0].frame, kLeft);
    QCOMPARE(open[0].alpha, 0.4);
    QVERIFY(open[0].visible);

    m_displays->setScreens({kLeft, kRight});
    QCoreApplication::processEvents();

    QCOMPARE(m_displays->openOverlays().size(), 2);
    for (const auto &overlay : m_displays->openOverlays()) {
        QCOMPARE(overlay.alpha, 0.4);
        QVERIFY(overlay.visible);
    }
}

void tst_ScreenFader::screenChangeWhileIdleLeavesHiddenOverlays()
{
    m_displays->setScreens({kRight});
    QCoreApplication::processEvents();

    auto open = m_displays->openOverlays();
    QCOMPARE(open.size(), 1);
    QVERIFY(!open[0].visible);
    QCOMPARE(open[0].alpha, 0.0);

    m_fader->setOpacity(0.2);

    QCOMPARE(m_displays->overlays.size(), 1); // shown without a rebuild
    QVERIFY(m_displays->overlays[0].visible);
}

void tst_ScreenFader::screenChangeNoticesCoalesce()
{
    m_displays->setScreens({kLeft});
    m_displays->setScreens({kLeft, kRight});
    m_displays->setScreens({kLeft, kRight});
    QCoreApplication::processEvents();

    QCOMPARE(m_displays->overlays.size(), 2);
}

void tst_ScreenFader::startDimming_data()
{
    QTest::addColumn<QList<QRect>>("screensBeforeStart");
    QTest::addColumn<int>("overlaysCreated");

    QTest::newRow("same screens: reused") << QList<QRect>{kLeft, kRight} << 2;
    QTest::newRow("a screen gone: rebuilt") << QList<QRect>{kLeft} << 3;
}

void tst_ScreenFader::startDimming()
{
    QFETCH(QList<QRect>, screensBeforeStart);
    QFETCH(int, overlaysCreated);
    m_fader->setOpacity(0.6);
    QSignalBlocker quiet(m_displays.get()); // a change the fader has not heard of yet
    m_displays->setScreens(screensBeforeStart);

    m_fader->startDimming();

    QCOMPARE(m_displays->overlays.size(), overlaysCreated);
    const auto open = m_displays->openOverlays();
    QCOMPARE(open.size(), screensBeforeStart.size());
    for (const auto &overlay : open) {
        QCOMPARE(overlay.alpha, 0.0);
        QVERIFY(overlay.visible);
    }
}

void tst_ScreenFader::stopDimmingClosesEverything()
{
    m_fader->setOpacity(1.0);

    m_fader->stopDimming();

    QVERIFY(m_displays->openOverlays().isEmpty());
    for (const auto &overlay : m_displays->overlays)
        QCOMPARE(overlay.alpha, 0.0);
    m_fader->stopDimming(); // stopping twice is harmless
}

QTEST_GUILESS_MAIN(tst_ScreenFader)
#include "tst_screen_fader.moc"
