#include "app/panel_window.h"
#include "panel_view_stub.h"

#include <QPointer>
#include <QtTest>

using namespace velorinth;

class tst_PanelWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsItsContentWhileOpen_data();
    void followsItsContentWhileOpen();
    void closesAndGoes_data();
    void closesAndGoes();
};

void tst_PanelWindow::followsItsContentWhileOpen_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<int>("fixedEdge"); // the panel's edge at the tray stays put

    QTest::newRow("top tray: grows downwards") << QRect(400, 0, 24, 24) << 28;
    QTest::newRow("bottom tray: grows upwards") << QRect(400, 776, 24, 24) << 772;
}

void tst_PanelWindow::followsItsContentWhileOpen()
{
    QFETCH(QRect, anchor);
    QFETCH(int, fixedEdge);
    PanelWindow panel(anchor);
    auto *view = new PanelViewStub({280, 280});
    panel.setContent(view);
    connect(view, &PanelViewStub::preferredSizeChanged, &panel, &PanelWindow::fitContent);
    panel.show();

    for (const int height : {280, 300, 290}) {
        view->setHint({280, height});
        const QRect shown = panel.panelGeometry();
        QCOMPARE(shown.size(), QSize(280, height));
        QCOMPARE(view->geometry().size(), QSize(280, height));
        QCOMPARE(anchor.top() == 0 ? shown.top() : shown.bottom() + 1, fixedEdge);
    }
}

void tst_PanelWindow::closesAndGoes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("press"); // relative to the panel's content
    QTest::addColumn<bool>("closes");

    QTest::newRow("Escape") << int(Qt::Key_Escape) << QPoint() << true;
    QTest::newRow("another key") << int(Qt::Key_A) << QPoint() << false;
    QTest::newRow("press outside") << 0 << QPoint(-20, 100) << true;
    QTest::newRow("press inside, left alone by the content") << 0 << QPoint(100, 100) << false;
}

void tst_PanelWindow::closesAndGoes()
{
    QFETCH(int, key);
    QFETCH(QPoint, press);
    QFETCH(bool, closes);
    QPointer<PanelWindow> panel = new PanelWindow(QRect(400, 0, 24, 24));
    auto *view = new PanelViewStub;
    panel->setContent(view);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));

    if (key != 0)
        QTest::keyClick(panel, Qt::Key(key));
    else
        QTest::mouseClick(panel, Qt::LeftButton, {}, view->geometry().topLeft() + press);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(panel.isNull(), closes);
    delete panel;
}

QTEST_MAIN(tst_PanelWindow)
#include "tst_panel_window.moc"
