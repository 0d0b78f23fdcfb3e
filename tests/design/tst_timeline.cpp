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
    QTest::addColumn<QString>("expected"); // step@time, for each step run
    // The launch: six steps at 0, 0.5, 1.6, 2.3, 3.2 and 3.8 s.
    QTest::newRow("each at its time") << QList<int>{499, 500, 1599, 1600, 2300, 3200, 3800}
                                      << QStringLiteral("1@0 2@500 3@1600 4@2300 5@3200 6@3800");
    QTest::newRow("a late frame runs the missed ones in order")
        << QList<int>{2400, 5000} << QStringLiteral("1@0 2@2400 3@2400 4@2400 5@3800 6@3800");
    QTest::newRow("going back runs nothing again")
        << QList<int>{1700, 100, 1700} << QStringLiteral("1@0 2@1700 3@1700");
}

void tst_Timeline::stepsRunOnceEachInOrderAtTheirTimes()
{
    QFETCH(QList<int>, times);
    QFETCH(QString, expected);
    QStringList run;
    const Timeline *clock = nullptr;
    std::vector<Timeline::Step> steps;
    const double delays[] = {0.0, 0.5, 1.6, 2.3, 3.2, 3.8};
    for (int i = 1; i <= 6; ++i) {
        // Each step is an animated change of its own: its number is its duration here.
        steps.push_back({delays[i - 1], Animation::easeOut(i), [&] {
                             run.append(QStringLiteral("%1@%2")
                                            .arg(currentAnimation().duration())
                                            .arg(clock->currentTime()));
                         }});
    }
    Timeline timeline(std::move(steps));
    clock = &timeline;
    timeline.start(); // the first at once
    for (const int time : times)
        timeline.setCurrentTime(time);
    QCOMPARE(run.join(u' '), expected);
}

void tst_Timeline::outlivesTheViewThatStartedIt()
{
    auto *view = new QWidget;
    QStringList run;
    const auto step = [&run, guarded = QPointer<QWidget>(view)](const QString &name) {
        return [&run, guarded, name] { run.append(guarded ? name : name + QStringLiteral("*")); };
    };
    const QPointer<Timeline> timeline =
        Timeline::play({{0.5, Animation::none(), step(QStringLiteral("a"))},
                        {3.8, Animation::none(), step(QStringLiteral("b"))}});
    timeline->setCurrentTime(600);
    delete view;
    timeline->setCurrentTime(3800);
    QCOMPARE(run, (QStringList{QStringLiteral("a"), QStringLiteral("b*")})); // * without view
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(timeline.isNull()); // gone once done
}

QTEST_MAIN(tst_Timeline)
#include "tst_timeline.moc"
