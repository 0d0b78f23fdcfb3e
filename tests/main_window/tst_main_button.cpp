#include "main_window/controls/main_button.h"

#include "support/animation_time.h"
#include "support/pixels.h"
#include "main_window/control_testing.h"

#include <QtTest>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::Animation)

class tst_MainButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void onlyTheCapsuleTakesClicks_data();
    void onlyTheCapsuleTakesClicks();
    void hoverGrowsAndLeavingShrinks();
    void stopLookFollowsTheChangesAnimation_data();
    void stopLookFollowsTheChangesAnimation();

private:
    [[nodiscard]] QImage image() const { return m_button->grab().toImage(); }
    [[nodiscard]] QRectF frame() const { return QRectF(m_button->contentsRect()); }
    [[nodiscard]] int blueJustOutside() const
    {
        const QRectF rim(frame().right() + 0.5, frame().center().y() - 2, 1, 4);
        return countPixels(image(), rim, isBlue);
    }

    MainButton *m_button = nullptr;
    int m_clicks = 0;
};

void tst_MainButton::init()
{
    m_clicks = 0;
    m_button = new MainButton(false, [this] { ++m_clicks; });
    m_button->resize(m_button->sizeHint());
    putOnBlack(m_button);
    m_button->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_button));
}

void tst_MainButton::cleanup()
{
    delete m_button;
}

void tst_MainButton::onlyTheCapsuleTakesClicks_data()
{
    QTest::addColumn<QPointF>("offset"); // from the frame's top left
    QTest::addColumn<int>("clicks");
    QTest::newRow("centre") << QPointF(90, 27) << 1;
    QTest::newRow("in the glow below") << QPointF(90, 60) << 0;
    QTest::newRow("in the glow beside") << QPointF(-10, 27) << 0;
}

void tst_MainButton::onlyTheCapsuleTakesClicks()
{
    QFETCH(QPointF, offset);
    QFETCH(int, clicks);
    click(m_button, frame().topLeft() + offset);
    QCOMPARE(m_clicks, clicks);
}

void tst_MainButton::hoverGrowsAndLeavingShrinks()
{
    QCOMPARE(blueJustOutside(), 0);
    sendMouse(m_button, QEvent::MouseMove, frame().center(), Qt::NoButton);
    setAnimationTimes(m_button, 2000);
    QVERIFY(blueJustOutside() > 0);
    sendMouse(m_button, QEvent::MouseMove, frame().topLeft() - QPointF(5, 5), Qt::NoButton);
    setAnimationTimes(m_button, 2000);
    QCOMPARE(blueJustOutside(), 0);
}

void tst_MainButton::stopLookFollowsTheChangesAnimation_data()
{
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<int>("time");
    QTest::addColumn<bool>("stopLook");
    QTest::newRow("no animation: at once") << Animation::none() << 0 << true;
    QTest::newRow("animated: still starting") << Animation::easeIn(1.0) << 100 << false;
    QTest::newRow("animated: there at the end") << Animation::easeIn(1.0) << 1000 << true;
}

void tst_MainButton::stopLookFollowsTheChangesAnimation()
{
    QFETCH(Animation, animation);
    QFETCH(int, time);
    QFETCH(bool, stopLook);
    animated(animation, [this] { m_button->setActive(true); });
    setAnimationTimes(m_button, time);
    const QImage look = image();
    QCOMPARE(countPixels(look, frame(), isPink) > 20, stopLook);
    QCOMPARE(countPixels(look, frame(), isBlue) == 0, stopLook);
}

QTEST_MAIN(tst_MainButton)
#include "tst_main_button.moc"
