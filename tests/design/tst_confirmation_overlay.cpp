#include "design/confirmation_overlay.h"

#include "support/animation_time.h"

#include <QSignalSpy>
#include <QTest>

using namespace velorinth;

namespace {
// Counts how often the card is drawn rather than copied from its picture.
class CardCounter : public ConfirmationOverlay
{
public:
    using ConfirmationOverlay::ConfirmationOverlay;

    mutable int cards = 0;

protected:
    void paintCard(QPainter &painter) const override
    {
        ++cards;
        ConfirmationOverlay::paintCard(painter);
    }
};

const ConfirmationOverlay::Question kQuestion = {
    QStringLiteral("Arrêter la minuterie ?"),
    QStringLiteral("Le Mac ne se mettra plus en veille automatiquement."),
    QStringLiteral("Arrêter"), QStringLiteral("Annuler")};
} // namespace

class TestConfirmationOverlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void answers_data();
    void answers();
    void clickOutsideTheButtonsDoesNothing();
    void fadeDrawsTheCardOnce();
    void gallery();

private:
    QWidget *m_window = nullptr;
    ConfirmationOverlay *m_overlay = nullptr;
    int m_confirmed = 0;
};

void TestConfirmationOverlay::init()
{
    m_confirmed = 0;
    m_window = new QWidget;
    m_window->resize(280, 300);
    m_overlay = new ConfirmationOverlay(
        kQuestion, [this] { ++m_confirmed; }, m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_overlay->present();
    setAnimationTimes(m_window, 1000);
}

void TestConfirmationOverlay::cleanup()
{
    delete m_window;
}

void TestConfirmationOverlay::answers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("confirmed");
    QTest::newRow("confirm button") << QStringLiteral("confirm") << 1;
    QTest::newRow("cancel button") << QStringLiteral("cancel") << 0;
    QTest::newRow("escape") << QStringLiteral("escape") << 0;
}

void TestConfirmationOverlay::answers()
{
    QFETCH(QString, answer);
    QFETCH(int, confirmed);
    QSignalSpy closed(m_overlay, &ConfirmationOverlay::closed);
    if (answer == QLatin1String("escape"))
        QTest::keyClick(m_overlay, Qt::Key_Escape);
    else
        QTest::mouseClick(m_overlay, Qt::LeftButton, {},
                          (answer == QLatin1String("confirm") ? m_overlay->confirmButtonRect()
                                                              : m_overlay->cancelButtonRect())
                              .center());
    QCOMPARE(m_confirmed, confirmed);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_overlay->isPresented());
    setAnimationTimes(m_window, 1000);
    QVERIFY(m_overlay->isHidden());
}

void TestConfirmationOverlay::clickOutsideTheButtonsDoesNothing()
{
    QSignalSpy closed(m_overlay, &ConfirmationOverlay::closed);
    QTest::mouseClick(m_overlay, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(closed.count(), 0);
    QVERIFY(m_overlay->isPresented());
}

void TestConfirmationOverlay::fadeDrawsTheCardOnce()
{
    delete m_overlay; // its dimming would stay in the pictures
    auto *overlay = new CardCounter(kQuestion, {}, m_window);
    overlay->present();
    QImage halfWay;
    for (int time = 0; time <= 300; time += 16) {
        setAnimationTimes(overlay, time);
        if (time == 96)
            halfWay = m_window->grab().toImage();
        overlay->repaint();
    }
    QCOMPARE(overlay->cards, 1);
    // Faded in, not shown at once: the card's middle is darker than the dimmed ground at
    // rest and lighter than the card at rest.
    const QPoint middle = overlay->confirmButtonRect().topLeft() - QPoint(0, 12);
    const QImage atRest = m_window->grab().toImage();
    QCOMPARE_LT(atRest.pixelColor(middle).lightness(), halfWay.pixelColor(middle).lightness());
    QCOMPARE(overlay->cards, 1);
    QTest::mouseMove(overlay, overlay->confirmButtonRect().center());
    overlay->repaint();
    QCOMPARE(overlay->cards, 2);
}

void TestConfirmationOverlay::gallery()
{
    m_window->setStyleSheet(QStringLiteral("background: #102040"));
    m_window->grab().save(QStringLiteral(VELORINTH_GALLERY_DIR "/confirmation@%1x.png")
                              .arg(m_window->devicePixelRatio()));
}

QTEST_MAIN(TestConfirmationOverlay)
#include "tst_confirmation_overlay.moc"
