#include "design/transition_host.h"

#include "support/animation_time.h"

#include <QPainter>
#include <QVBoxLayout>
#include <QtTest>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::Transition)

namespace {
const QSize kHost(200, 100);

// A view of one colour that fills the host.
class Plain : public QWidget
{
public:
    explicit Plain(QColor colour)
        : m_colour(colour)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    [[nodiscard]] QSize sizeHint() const override { return kHost; }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), m_colour); }

private:
    QColor m_colour;
};

// A bright green element, the same one in both views of a swap.
QWidget *element(QWidget *view, QSize size)
{
    auto *element = new Plain(Qt::green);
    element->setParent(view);
    element->setFixedSize(size);
    element->show();
    TransitionHost::setMatchedId(element, QStringLiteral("timerText"));
    return element;
}

// Where the green is, in points.
QRectF greenArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 120 && c.green() > c.red() + 60 && c.green() > c.blue() + 60)
                area |= QRect(x, y, 1, 1);
        }
    }
    const qreal ratio = image.devicePixelRatio();
    return {QPointF(area.topLeft()) / ratio, QSizeF(area.size()) / ratio};
}

bool near(const QRectF &a, const QRectF &b)
{
    const QPointF corner = a.topLeft() - b.topLeft();
    const QPointF size(a.width() - b.width(), a.height() - b.height());
    return corner.manhattanLength() <= 2.0 && size.manhattanLength() <= 2.0;
}
} // namespace

class tst_Transition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void effectAtProgress_data();
    void effectAtProgress();
    void init();
    void cleanup();
    void secondSwapMidwayDoesNotJump_data();
    void secondSwapMidwayDoesNotJump();
    void hidingMidSwapEndsIt();
    void swapsAtOnceWithoutAnimationOrWhileHidden_data();
    void swapsAtOnceWithoutAnimationOrWhileHidden();
    void matchedElementGlides_data();
    void matchedElementGlides();

private:
    [[nodiscard]] QImage shown() const { return m_host->grab().toImage(); }

    QWidget *m_window = nullptr;
    TransitionHost *m_host = nullptr;
    Plain *m_red = nullptr;
    Plain *m_blue = nullptr;
};

void tst_Transition::effectAtProgress_data()
{
    QTest::addColumn<Transition>("transition");
    QTest::addColumn<bool>("insertion");
    QTest::addColumn<qreal>("away"); // 0 in place, 1 fully away
    QTest::addColumn<qreal>("opacity");
    QTest::addColumn<QRectF>("frame"); // where a 100 x 50 frame at the origin ends up

    const auto screen = Transition::asymmetric(Transition::opacity() + Transition::scale(0.9),
                                               Transition::opacity() + Transition::scale(1.1));
    QTest::newRow("identity") << Transition() << true << 1.0 << 1.0 << QRectF(0, 0, 100, 50);
    QTest::newRow("fade half way")
        << Transition::opacity() << false << 0.5 << 0.5 << QRectF(0, 0, 100, 50);
    QTest::newRow("asymmetric: inserted from 0.9, a quarter away")
        << screen << true << 0.25 << 0.75 << QRectF(1.25, 0.625, 97.5, 48.75);
    QTest::newRow("asymmetric: removed to 1.1")
        << screen << false << 1.0 << 0.0 << QRectF(-5, -2.5, 110, 55);
    QTest::newRow("spring past the end: opacity clamped, scale follows")
        << screen << false << 1.2 << 0.0 << QRectF(-6, -3, 112, 56);
    QTest::newRow("scale about the top leading corner")
        << Transition::scale(0.5, {0, 0}) << true << 1.0 << 1.0 << QRectF(0, 0, 50, 25);
    QTest::newRow("half way out to the leading edge")
        << Transition::move(Qt::LeftEdge) << false << 0.5 << 1.0 << QRectF(-50, 0, 100, 50);
    QTest::newRow("in from the top with a fade")
        << Transition::move(Qt::TopEdge) + Transition::opacity() << true << 1.0 << 0.0
        << QRectF(0, -50, 100, 50);
    QTest::newRow("move and scale together")
        << Transition::move(Qt::RightEdge) + Transition::scale(0.5) << true << 1.0 << 1.0
        << QRectF(125, 12.5, 50, 25);
}

void tst_Transition::effectAtProgress()
{
    QFETCH(Transition, transition);
    QFETCH(bool, insertion);
    QFETCH(qreal, away);
    QFETCH(qreal, opacity);
    QFETCH(QRectF, frame);
    const Transition::Effect &effect = insertion ? transition.insertion() : transition.removal();
    const QRectF origin(0, 0, 100, 50);
    QCOMPARE(effect.opacityAt(away), opacity);
    QCOMPARE(effect.transformAt(away, origin).mapRect(origin), frame);
}

void tst_Transition::init()
{
    m_window = new QWidget;
    m_window->resize(kHost);
    m_host = new TransitionHost(m_window);
    m_host->resize(kHost);
    m_red = new Plain(QColor(120, 0, 0));
    m_blue = new Plain(QColor(0, 0, 120));
    m_host->setView(m_red);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_Transition::cleanup()
{
    delete m_window;
}

void tst_Transition::secondSwapMidwayDoesNotJump_data()
{
    QTest::addColumn<bool>("back"); // else on to a third view
    QTest::newRow("back to the view leaving") << true;
    QTest::newRow("on to a third view") << false;
}

void tst_Transition::secondSwapMidwayDoesNotJump()
{
    QFETCH(bool, back);
    const Transition grow = Transition::opacity() + Transition::scale(0.9);
    m_host->setView(m_blue, grow, Animation::spring(0.5, 0.8));
    setAnimationTimes(m_host, 120);
    const QImage before = shown();
    QWidget *last = back ? static_cast<QWidget *>(m_red) : new Plain(QColor(0, 120, 0));
    m_host->setView(last, grow, Animation::spring(0.5, 0.8));
    QCOMPARE(shown(), before);

    setAnimationTimes(m_host, 3000);
    QVERIFY(!m_host->isSwapping());
    QCOMPARE(m_host->view(), last);
    QVERIFY(last->isVisible());
    const auto views = m_host->findChildren<Plain *>();
    QCOMPARE(std::count_if(views.begin(), views.end(), [](Plain *v) { return v->isVisible(); }), 1);
}

void tst_Transition::hidingMidSwapEndsIt()
{
    m_host->setView(m_blue, Transition::opacity(), Animation::easeInOut(1.0));
    setAnimationTimes(m_host, 300);
    QVERIFY(m_host->isSwapping());
    m_window->hide();
    QVERIFY(!m_host->isSwapping());
    QCOMPARE(runningAnimations(m_window), QStringList());
    m_window->show();
    QVERIFY(m_blue->isVisible());
    QVERIFY(!m_red->isVisible());
}

void tst_Transition::swapsAtOnceWithoutAnimationOrWhileHidden_data()
{
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("no animation") << Animation::none() << false;
    QTest::newRow("hidden host") << Animation::spring(0.5, 1.0) << true;
}

void tst_Transition::swapsAtOnceWithoutAnimationOrWhileHidden()
{
    QFETCH(Animation, animation);
    QFETCH(bool, hidden);
    m_window->setVisible(!hidden);
    m_host->setView(m_blue, Transition::opacity(), animation);
    QVERIFY(!m_host->isSwapping());
    QVERIFY(m_blue->isVisibleTo(m_host));
    QVERIFY(!m_red->isVisibleTo(m_host));
}

void tst_Transition::matchedElementGlides_data()
{
    QTest::addColumn<int>("time");
    QTest::addColumn<QRectF>("frame");
    QTest::newRow("start: where it was") << 0 << QRectF(10, 10, 20, 10);
    QTest::newRow("half way") << 500 << QRectF(80, 40, 30, 15);
    QTest::newRow("end: where it goes") << 1000 << QRectF(150, 70, 40, 20);
}

void tst_Transition::matchedElementGlides()
{
    QFETCH(int, time);
    QFETCH(QRectF, frame);
    element(m_red, {20, 10})->move(10, 10);
    // Placed by a layout, in a view never shown before the swap.
    auto *layout = new QVBoxLayout(m_blue);
    layout->setContentsMargins(150, 70, 0, 0);
    layout->addWidget(element(m_blue, {40, 20}), 0, Qt::AlignLeft | Qt::AlignTop);

    m_host->setView(m_blue, Transition::opacity(), Animation::linear(1.0));
    setAnimationTimes(m_host, time);
    const QRectF green = greenArea(shown());
    QVERIFY2(near(green, frame),
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(green.x())
                            .arg(green.y())
                            .arg(green.width())
                            .arg(green.height())));
}

QTEST_MAIN(tst_Transition)
#include "tst_transition.moc"
