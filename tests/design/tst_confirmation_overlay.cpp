#include "design/confirmation_overlay.h"

#include "support/animation_time.h"
#include "support/gallery.h"
#include "support/pixels.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
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

const QHash<QString, Qt::Key> kKeys{{"tab", Qt::Key_Tab},     {"backtab", Qt::Key_Backtab},
                                    {"space", Qt::Key_Space}, {"return", Qt::Key_Return},
                                    {"enter", Qt::Key_Enter}, {"escape", Qt::Key_Escape}};

// Each key, in turn, to whatever has the focus then.
void typeKeys(const QString &names)
{
    for (const QString &name : names.split(QLatin1Char(' '))) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY2(focused, qPrintable(name));
        QTest::keyClick(focused, kKeys.value(name));
    }
}

// Presses the answer a screen reader finds under that name, as its user would.
void pressForReader(QWidget *overlay, const QString &name)
{
    QAccessibleInterface *question = QAccessible::queryAccessibleInterface(overlay);
    QCOMPARE(question->text(QAccessible::Name), kQuestion.title);
    for (int i = 0; i < question->childCount(); ++i) {
        QAccessibleInterface *answer = question->child(i);
        if (answer->text(QAccessible::Name) != name)
            continue;
        QCOMPARE(answer->role(), QAccessible::Button);
        QAccessibleActionInterface *actions = answer->actionInterface();
        QVERIFY(actions
                && actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        return;
    }
    QFAIL(qPrintable(name));
}
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
    void focusRingInTheCardsStyle();
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
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
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
    QTest::addColumn<bool>("closes");
    QTest::newRow("confirm button") << QStringLiteral("confirm") << 1 << true;
    QTest::newRow("cancel button") << QStringLiteral("cancel") << 0 << true;
    QTest::newRow("escape") << QStringLiteral("keys: escape") << 0 << true;
    QTest::newRow("Tab, Space: the first") << QStringLiteral("keys: tab space") << 1 << true;
    QTest::newRow("Tab, keypad Enter") << QStringLiteral("keys: tab enter") << 1 << true;
    QTest::newRow("Tab twice, Return: the second")
        << QStringLiteral("keys: tab tab return") << 0 << true;
    QTest::newRow("Shift+Tab, Space: the last")
        << QStringLiteral("keys: backtab space") << 0 << true;
    QTest::newRow("Tab goes round the two")
        << QStringLiteral("keys: tab tab tab return") << 1 << true;
    QTest::newRow("Tab, Escape") << QStringLiteral("keys: tab escape") << 0 << true;
    // A key pressed once too often after the one that asked.
    QTest::newRow("Return or Space before any Tab")
        << QStringLiteral("keys: return space") << 0 << false;
    QTest::newRow("screen reader presses Arrêter")
        << QStringLiteral("reader: Arrêter") << 1 << true;
    QTest::newRow("screen reader presses Annuler")
        << QStringLiteral("reader: Annuler") << 0 << true;
}

void TestConfirmationOverlay::answers()
{
    QFETCH(QString, answer);
    QFETCH(int, confirmed);
    QFETCH(bool, closes);
    QSignalSpy closed(m_overlay, &ConfirmationOverlay::closed);
    if (answer.startsWith(QLatin1String("keys: ")))
        typeKeys(answer.mid(6));
    else if (answer.startsWith(QLatin1String("reader: ")))
        pressForReader(m_overlay, answer.mid(8));
    else
        QTest::mouseClick(m_overlay, Qt::LeftButton, {},
                          (answer == QLatin1String("confirm") ? m_overlay->confirmButtonRect()
                                                              : m_overlay->cancelButtonRect())
                              .center());
    QTRY_COMPARE(closed.count(), closes ? 1 : 0); // a reader's press is a short animated click
    QCOMPARE(m_confirmed, confirmed);
    QCOMPARE(m_overlay->isPresented(), !closes);
    setAnimationTimes(m_window, 1000);
    QCOMPARE(m_overlay->isHidden(), closes);
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

void TestConfirmationOverlay::focusRingInTheCardsStyle()
{
    m_window->setStyleSheet(QStringLiteral("background: #102040"));
    const QImage resting = m_window->grab().toImage();
    typeKeys(QStringLiteral("tab"));
    const QImage focused = m_window->grab().toImage();
    QVERIFY(saveToGallery(QStringLiteral("confirmation-focused"), focused));
    // The ring lies around the focused answer alone, and goes with the focus.
    const auto around = [](const QRect &button) { return QRectF(button).adjusted(-4, -4, 4, 4); };
    const QRect confirm = m_overlay->confirmButtonRect();
    QCOMPARE(countPixels(resting, around(confirm), isBlue), 0);
    QCOMPARE_GT(countPixels(focused, around(confirm), isBlue), 100);
    QCOMPARE(countPixels(focused, around(m_overlay->cancelButtonRect()), isBlue), 0);
    typeKeys(QStringLiteral("tab"));
    const QImage moved = m_window->grab().toImage();
    QCOMPARE(countPixels(moved, around(confirm), isBlue), 0);
    QCOMPARE_GT(countPixels(moved, around(m_overlay->cancelButtonRect()), isBlue), 100);
}

void TestConfirmationOverlay::gallery()
{
    m_window->setStyleSheet(QStringLiteral("background: #102040"));
    QVERIFY(saveToGallery(QStringLiteral("confirmation"), m_window->grab().toImage()));
}

QTEST_MAIN(TestConfirmationOverlay)
#include "tst_confirmation_overlay.moc"
