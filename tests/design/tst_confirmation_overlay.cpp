#include "design/confirmation_overlay.h"

#include "support/animation_time.h"

#include <QSignalSpy>
#include <QTest>

using namespace velorinth;

class TestConfirmationOverlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void answers_data();
    void answers();
    void clickOutsideTheButtonsDoesNothing();
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
        {QStringLiteral("Arrêter la minuterie ?"),
         QStringLiteral("Le Mac ne se mettra plus en veille "
                        "automatiquement."),
         QStringLiteral("Arrêter"), QStringLiteral("Annuler")},
        [this] { ++m_confirmed; }, m_window);
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

void TestConfirmationOverlay::gallery()
{
    m_window->setStyleSheet(QStringLiteral("background: #102040"));
    m_window->grab().save(QStringLiteral(VELORINTH_GALLERY_DIR "/confirmation@%1x.png")
                              .arg(m_window->devicePixelRatio()));
}

QTEST_MAIN(TestConfirmationOverlay)
#include "tst_confirmation_overlay.moc"
