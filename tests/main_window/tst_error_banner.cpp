#include "main_window/error_banner.h"

#include "design/plain_button.h"
#include "main_window/control_testing.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

class tst_ErrorBanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsAtMostTwoLines_data();
    void showsAtMostTwoLines();
    void closeReportsEachPress();
    void pressesOnTheShadowReachWhatLiesBelow();
};

void tst_ErrorBanner::showsAtMostTwoLines_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines"); // "…" last: cut there, after the start given
    QTest::newRow("short") << QStringLiteral("Veille refusée") << QStringList{"Veille refusée"};
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("two lines") << QStringLiteral("Première\nSeconde")
                               << QStringList{"Première", "Seconde"};
    QTest::newRow("a third line joins the second")
        << QStringLiteral("un\ndeux\ntrois") << QStringList{"un", "deux trois"};
    QTest::newRow("cut on the second line") << QStringLiteral("Erreur : ") + QString(40, u'x')
            + u' ' + QString(120, u'y') << QStringList{"Erreur :", "xxx…"};
}

void tst_ErrorBanner::showsAtMostTwoLines()
{
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    ErrorBanner banner(QStringLiteral("avant"), [] {});
    banner.setMessage(message);
    QStringList shown = banner.shownLines();
    if (!lines.isEmpty() && lines.last().endsWith(u'…')) {
        QVERIFY2(shown.last().endsWith(u'…'), qPrintable(shown.last()));
        shown.last() = shown.last().left(lines.last().size() - 1) + u'…';
    }
    QCOMPARE(shown, lines);
    // Symbol and close button keep their room, with or without text.
    QVERIFY(banner.strip().height() >= 42);
    QCOMPARE(banner.strip().topLeft(), QPointF(16, 12));
}

void tst_ErrorBanner::closeReportsEachPress()
{
    int dismissed = 0;
    ErrorBanner banner(QStringLiteral("Veille refusée"), [&] { ++dismissed; });
    banner.show();
    auto *close = banner.findChild<PlainButton *>();
    const QPointF centre = QRectF(close->contentsRect()).center();
    click(close, centre);
    click(close, centre);
    QCOMPARE(dismissed, 2);
    click(&banner, banner.strip().center());
    QCOMPARE(dismissed, 2);
}

void tst_ErrorBanner::pressesOnTheShadowReachWhatLiesBelow()
{
    QWidget window;
    window.resize(320, 200);
    auto *below = new QPushButton(QStringLiteral("onglet"), &window);
    auto *layer = new QWidget(&window); // the banner's own layer, above the button
    auto *banner = new ErrorBanner(
        QStringLiteral("Veille refusée"), [] {}, layer);
    layer->setGeometry(0, 0, 320, banner->sizeHint().height());
    banner->setGeometry(layer->rect());
    below->setGeometry(100, qRound(banner->strip().bottom()) + 6, 120, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(below, &QPushButton::clicked);
    click(banner, below->geometry().center());
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(tst_ErrorBanner)
#include "tst_error_banner.moc"
