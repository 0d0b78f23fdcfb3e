#include "main_window/controls/premium_slider.h"

#include "support/pixels.h"
#include "main_window/control_testing.h"

#include <QtTest>

using namespace velorinth;

namespace {
constexpr double kLower = 5.0;
constexpr double kUpper = 180.0;
constexpr double kStart = 60.0;
constexpr int kTrackWidth = 200;
} // namespace

class tst_PremiumSlider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void dragSetsTheValue_data();
    void dragSetsTheValue();
    void showsTheBoundValueNotItsOwn();
    void emptyRangeKeepsTheThumbAtTheStart();

private:
    [[nodiscard]] QRectF track() const { return QRectF(m_slider->contentsRect()); }
    [[nodiscard]] QPointF thumbCentre(double value) const
    {
        return {track().left() + kTrackWidth * (value - kLower) / (kUpper - kLower),
                track().center().y()};
    }

    FakeSetting *m_value = nullptr;
    PremiumSlider *m_slider = nullptr;
};

void tst_PremiumSlider::init()
{
    m_value = new FakeSetting;
    m_value->setValue(kStart);
    m_value->writes = 0;
    m_slider = new PremiumSlider(bindProperty(m_value, &FakeSetting::value, &FakeSetting::setValue,
                                              &FakeSetting::valueChanged),
                                 PremiumSlider::Range{kLower, kUpper});
    const QMargins spill = m_slider->contentsMargins();
    m_slider->resize(kTrackWidth + spill.left() + spill.right(), m_slider->sizeHint().height());
    putOnBlack(m_slider);
    m_slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_slider));
}

void tst_PremiumSlider::cleanup()
{
    delete m_slider;
    delete m_value;
}

void tst_PremiumSlider::dragSetsTheValue_data()
{
    QTest::addColumn<QPointF>("press"); // from the thumb's centre
    QTest::addColumn<QList<QPointF>>("moves");
    QTest::addColumn<double>("expected");

    const QPointF centre;
    QTest::newRow("less than 10 points: nothing")
        << centre << QList<QPointF>{{9, 0}, {6, 6}} << kStart;
    QTest::newRow("exactly 10 points starts the drag")
        << centre << QList<QPointF>{{10, 0}} << kStart + 10.0 * (kUpper - kLower) / kTrackWidth;
    QTest::newRow("to the middle of the track")
        << centre << QList<QPointF>{{40, 0}, {kTrackWidth / 2.0 - 62.857142857, 0}}
        << (kLower + kUpper) / 2;
    QTest::newRow("once started, small moves count")
        << centre << QList<QPointF>{{20, 0}, {3, 0}}
        << kStart + 3.0 * (kUpper - kLower) / kTrackWidth;
    QTest::newRow("past the trailing end: upper bound")
        << centre << QList<QPointF>{{400, 0}} << kUpper;
    QTest::newRow("past the leading end: lower bound")
        << centre << QList<QPointF>{{-300, 30}} << kLower;
    QTest::newRow("press beside the thumb: nothing")
        << QPointF(30, 0) << QList<QPointF>{{80, 0}} << kStart;
}

void tst_PremiumSlider::dragSetsTheValue()
{
    QFETCH(QPointF, press);
    QFETCH(QList<QPointF>, moves);
    QFETCH(double, expected);

    const QPointF origin = thumbCentre(kStart) + press;
    sendMouse(m_slider, QEvent::MouseButtonPress, origin);
    for (const QPointF &move : moves)
        sendMouse(m_slider, QEvent::MouseMove, origin + move);
    sendMouse(m_slider, QEvent::MouseButtonRelease, origin + moves.last(), Qt::NoButton);
    // Once released, a press beside the thumb and a move drag nothing.
    const QPointF beside = thumbCentre(m_value->value()) + QPointF(0, 30);
    sendMouse(m_slider, QEvent::MouseButtonPress, beside);
    sendMouse(m_slider, QEvent::MouseMove, beside + QPointF(-60, 0));
    QVERIFY2(std::abs(m_value->value() - expected) < 1e-6,
             qPrintable(QString::number(m_value->value())));
}

void tst_PremiumSlider::showsTheBoundValueNotItsOwn()
{
    m_value->accepts = false;
    const QPointF origin = thumbCentre(kStart);
    sendMouse(m_slider, QEvent::MouseButtonPress, origin);
    sendMouse(m_slider, QEvent::MouseMove, origin + QPointF(80, 0));
    QVERIFY(m_value->writes > 0);
    const QImage image = m_slider->grab().toImage();
    QVERIFY(countPixels(image, QRectF(origin - QPointF(2, 2), QSizeF(4, 4)), isWhite) > 0);
    QCOMPARE(countPixels(image, QRectF(origin + QPointF(78, -2), QSizeF(4, 4)), isWhite), 0);
}

void tst_PremiumSlider::emptyRangeKeepsTheThumbAtTheStart()
{
    double value = 5.0;
    PremiumSlider slider({[&] { return value; }, [&](double v) { value = v; }}, {5.0, 5.0});
    slider.resize(m_slider->size());
    putOnBlack(&slider);
    const QImage image = slider.grab().toImage();
    const QRectF start(QRectF(slider.contentsRect()).left() - 2,
                       QRectF(slider.contentsRect()).center().y() - 2, 4, 4);
    QVERIFY(countPixels(image, start, isWhite) > 0);
}

QTEST_MAIN(tst_PremiumSlider)
#include "tst_premium_slider.moc"
