#include "design/animated_change.h"
#include "design/timeline.h"

#include <QPointer>
#include <QWidget>
#include <QtTest>

using namespace velorinth;

class tst_Timeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stepsRunOnceEachInOrderAtTheirTimes_data();
    void stepsRunOnceEachInOrderAtTheirTimes();
    void outlivesTheViewThatStartedIt();
};

void tst_Timeline::stepsRunOnceEachInOrderAtTheirTimes_data()
{
    QTest::addColumn<QList<int>>("times"); // set one after the other, in milliseconds
    QTest::addColumn<QString>("expected"); // the steps run, in order
    // The launch: six steps at 0, 0.5, 1.6, 2.3, 3.2 and 3.8 s.
    QTest::newRow("just before the second") << QList<int>{499} << QStringLiteral("1");
    QTest::newRow("each at its time")
        << QList<int>{500, 1599, 1600, 2300, 3200, 3800} << QStringLiteral("123456");
    QTest::newRow("a late frame runs the missed ones in order")
        << QList<int>{2400, 5000} << QStringLiteral("123456");
    QTest::newRow("going back runs nothing again")
        << QList<int>{1700, 100, 1700} << QStringLiteral("123");
}

void tst_Timeline::stepsRunOnceEachInOrderAtTheirTimes()
{
    QFETCH(QList<int>, times);
    QFETCH(QString, expected);
    QString run;
    std::vector<Timeline::Step> steps;
    const double delays[] = {0.0, 0.5, 1.6, 2.3, 3.2, 3.8};
    for (int i = 0; i < 6; ++i) {
        const auto animation = Animation::easeOut(0.1 * (i + 1));
        steps.push_back({delays[i], animation, [&run, i, animation] {
                             QCOMPARE(currentAnimation().duration(), animation.duration());
                             run += QString::number(i + 1);
                         }});
    }
    Timeline timeline(std::move(steps));
    timeline.start();
    QCOMPARE(run, QStringLiteral("1")); // the first at once
    for (const int time : times)
        timeline.setCurrentTime(time);
    QCOMPARE(run, expected);
    QCOMPARE(timeline.state() == QAbstractAnimation::Stopped, expected.size() == 6);
}

void tst_Timeline::outlivesTheViewThatStartedIt()
{
    auto *view = new QWidget;
    int viewSteps = 0;
    bool launchedOnce = false; // held by the model, not the view
    const QPointer<QWidget> guarded(view);
    Timeline *timeline = Timeline::play({
        {0.5, Animation::none(), [&, guarded] { viewSteps += guarded ? 1 : 0; }},
        {3.8, Animation::none(),
         [&, guarded] {
             viewSteps += guarded ? 1 : 0;
             launchedOnce = true;
         }},
    });
    const QPointer<Timeline> alive(timeline);
    timeline->setCurrentTime(600);
    delete view;
    timeline->setCurrentTime(3800);
    QCOMPARE(viewSteps, 1);
    QVERIFY(launchedOnce);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(alive.isNull()); // gone once done
}

QTEST_MAIN(tst_Timeline)
#include "tst_timeline.moc"
