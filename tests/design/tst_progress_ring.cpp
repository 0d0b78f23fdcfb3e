#include "design/progress_ring.h"

#include <QAbstractAnimation>
#include <QtTest>

using namespace velorinth;

class tst_ProgressRing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void glidesLinearlyOverASecond_data();
    void glidesLinearlyOverASecond();
};

void tst_ProgressRing::glidesLinearlyOverASecond_data()
{
    QTest::addColumn<int>("time");
    QTest::addColumn<double>("shown");
    QTest::newRow("start") << 0 << 1.0;
    QTest::newRow("quarter") << 250 << 0.875;
    QTest::newRow("half") << 500 << 0.75;
    QTest::newRow("end") << 1000 << 0.5;
}

void tst_ProgressRing::glidesLinearlyOverASecond()
{
    QFETCH(int, time);
    QFETCH(double, shown);
    ProgressRing ring(220, 6, 2, 1.0);
    ring.setProgress(0.5);
    ring.findChild<QAbstractAnimation *>()->setCurrentTime(time);
    QCOMPARE(ring.shownProgress(), shown);
}

QTEST_MAIN(tst_ProgressRing)
#include "tst_progress_ring.moc"
