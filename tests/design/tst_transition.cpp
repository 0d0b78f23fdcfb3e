#include "design/transition_host.h"

#include "support/animation_time.h"

#include <QGraphicsOpacityEffect>
#include <QVBoxLayout>
#include <QtTest>

using namespace velorinth;

Q_DECLARE_METATYPE(velorinth::Transition)
Q_DECLARE_METATYPE(velorinth::Animation)
Q_DECLARE_METATYPE(velorinth::TransitionHost::OnceLeft)

namespace {
// A view of one colour that fills the host.
QWidget *plain(QColor colour, QWidget *parent = nullptr)
{
    auto *view = new QWidget(parent);
    view->setStyleSheet(QStringLiteral("background: %1").arg(colour.name()));
    view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return view;
}

// Where the green is: the matched element.
QRect greenArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            area |= image.pixelColor(x, y).green() > 120 ? QRect(x, y, 1, 1) : QRect();
    }
    return area;
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
    void leavingViewLivesAsHandedOver_data();
    void leavingViewLivesAsHandedOver();
    void matchedElementGlides_data();
    void matchedElementGlides();

private:
    [[nodiscard]] QImage shown() const { return m_host->grab().toImage(); }

    QWidget *m_window = nullptr;
    TransitionHost *m_host = nullptr;
    QWidget *m_red = nullptr;
    QWidget *m_blue = nullptr;
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
    QTest::newRow("asymmetric: inserted from 0.9, a quarter away")
        << screen << true << 0.25 << 0.75 << QRectF(1.25, 0.625, 97.5, 48.75);
    QTest::newRow("asymmetric: removed to 1.1")
        << screen << false << 1.0 << 0.0 << QRectF(-5, -2.5, 110, 55);
    QTest::newRow("spring past the end: opacity clamped, scale follows")
        << screen << false << 1.2 << 0.0 << QRectF(-6, -3, 112, 56);
    QTest::newRow("scale about the top leading corner")
        << Transition::scale(0.5, {0, 0}) << true << 1.0 << 1.0 << QRectF(0, 0, 50, 25);
    QTest::newRow("half way out to the leading edge, fading") << Transition::move(Qt::LeftEdge)
            + Transition::opacity() << false << 0.5 << 0.5 << QRectF(-50, 0, 100, 50);
    QTest::newRow("in from the top, scaled")
        << Transition::move(Qt::TopEdge) + Transition::scale(0.5) << true << 1.0 << 1.0
        << QRectF(25, -37.5, 50, 25);
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
    m_window->resize(200, 100);
    m_host = new TransitionHost(m_window);
    m_host->resize(m_window->size());
    m_red = plain(QColor(120, 0, 0));
    m_blue = plain(QColor(0, 0, 120));
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
    QWidget *last = back ? m_red : plain(QColor(0, 120, 0));
    m_host->setView(last, grow, Animation::spring(0.5, 0.8));
    QCOMPARE(shown(), before);

    setAnimationTimes(m_host, 3000);
    QCOMPARE(m_host->view(), last);
    const auto views = m_host->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(std::count_if(views.begin(), views.end(), [](QWidget *v) { return v->isVisible(); }),
             1);
    QVERIFY(last->isVisible());
}

void tst_Transition::hidingMidSwapEndsIt()
{
    m_host->setView(m_blue, Transition::opacity(), Animation::easeInOut(1.0));
    setAnimationTimes(m_host, 300);
    m_window->hide();
    QVERIFY(!m_host->isSwapping());
    QCOMPARE(runningAnimations(m_window), QStringList());
    m_window->show();
    QVERIFY(m_blue->isVisible() && !m_red->isVisible());
}

void tst_Transition::leavingViewLivesAsHandedOver_data()
{
    using OnceLeft = TransitionHost::OnceLeft;
    QTest::addColumn<OnceLeft>("onceLeft");
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<int>("time");
    QTest::addColumn<bool>("thirdView"); // comes midway
    QTest::addColumn<bool>("alive");
    const Animation second = Animation::linear(1.0);
    QTest::newRow("kept, swap over") << OnceLeft::Kept << second << 1000 << false << true;
    QTest::newRow("deleted, swap over") << OnceLeft::Deleted << second << 1000 << false << false;
    QTest::newRow("deleted, still leaving") << OnceLeft::Deleted << second << 300 << false << true;
    QTest::newRow("deleted, instant swap")
        << OnceLeft::Deleted << Animation::none() << 0 << false << false;
    QTest::newRow("deleted, a third view midway")
        << OnceLeft::Deleted << second << 300 << true << false;
    QTest::newRow("kept, a third view midway") << OnceLeft::Kept << second << 300 << true << true;
}

void tst_Transition::leavingViewLivesAsHandedOver()
{
    QFETCH(TransitionHost::OnceLeft, onceLeft);
    QFETCH(Animation, animation);
    QFETCH(int, time);
    QFETCH(bool, thirdView);
    QFETCH(bool, alive);
    const QPointer<QWidget> first = plain(Qt::yellow);
    m_host->setView(first, Transition::opacity(), Animation::none(), onceLeft);
    m_host->setView(m_blue, Transition::opacity(), animation);
    setAnimationTimes(m_host, time);
    if (thirdView)
        m_host->setView(m_red, Transition::opacity(), animation);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(!first.isNull(), alive);
    if (alive)
        QCOMPARE(first->parentWidget(), m_host);
}

void tst_Transition::matchedElementGlides_data()
{
    QTest::addColumn<int>("time");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<bool>("ownEffect"); // the leaving element has an effect of its own
    QTest::newRow("start: where it was") << 0 << QRect(10, 10, 20, 10) << false;
    QTest::newRow("half way") << 500 << QRect(80, 40, 30, 15) << false;
    QTest::newRow("end: where it goes") << 1000 << QRect(150, 70, 40, 20) << false;
    QTest::newRow("start, keeping its own effect") << 0 << QRect(10, 10, 20, 10) << true;
}

void tst_Transition::matchedElementGlides()
{
    QFETCH(int, time);
    QFETCH(QRect, frame);
    QFETCH(bool, ownEffect);
    QWidget *leaving = plain(Qt::green, m_red);
    leaving->setGeometry(10, 10, 20, 10);
    leaving->show();
    QPointer<QGraphicsOpacityEffect> effect;
    if (ownEffect) {
        effect = new QGraphicsOpacityEffect;
        effect->setOpacity(1.0);
        leaving->setGraphicsEffect(effect);
    }
    // Placed by a layout, in a view never shown before the swap.
    QWidget *coming = plain(Qt::green);
    coming->setFixedSize(40, 20);
    (new QVBoxLayout(m_blue))->addWidget(coming, 0, Qt::AlignRight | Qt::AlignBottom);
    m_blue->layout()->setContentsMargins(0, 0, 10, 10);
    for (QWidget *element : {leaving, coming})
        TransitionHost::setMatchedId(element, QStringLiteral("timerText"));

    m_host->setView(m_blue, Transition::opacity(), Animation::linear(1.0));
    setAnimationTimes(m_host, time);
    const QRect green = greenArea(shown());
    QVERIFY2(
        (green.topLeft() - frame.topLeft()).manhattanLength() <= 2
            && std::abs(green.width() - frame.width()) <= 2,
        qPrintable(QStringLiteral("%1 %2 %3").arg(green.x()).arg(green.y()).arg(green.width())));
    if (ownEffect) {
        QVERIFY2(effect, "its effect was deleted");
        QCOMPARE(leaving->graphicsEffect(), effect.data());
    }
}

QTEST_MAIN(tst_Transition)
#include "tst_transition.moc"
