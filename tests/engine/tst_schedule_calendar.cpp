#include "engine/schedule_calendar.h"
#include "support/paris_test_main.h"

using namespace velorinth;

class tst_ScheduleCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextOccurrence_data();
    void nextOccurrence();
};

void tst_ScheduleCalendar::nextOccurrence_data()
{
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("expected");

    QTest::newRow("later today") << "2026-06-10T21:58:30" << 22 << 0 << "2026-06-10T22:00:00+02:00";
    QTest::newRow("exactly now is tomorrow")
        << "2026-06-10T22:00:00" << 22 << 0 << "2026-06-11T22:00:00+02:00";
    QTest::newRow("just missed") << "2026-06-10T22:00:30" << 22 << 0 << "2026-06-11T22:00:00+02:00";
    QTest::newRow("midnight") << "2026-12-31T23:59:59" << 0 << 0 << "2027-01-01T00:00:00+01:00";
    QTest::newRow("skipped hour gives its end")
        << "2026-03-29T01:00:00" << 2 << 30 << "2026-03-29T03:00:00+02:00";
    QTest::newRow("after the gap: next day")
        << "2026-03-29T03:00:00+02:00" << 2 << 30 << "2026-03-30T02:30:00+02:00";
    QTest::newRow("repeated hour: first")
        << "2026-10-25T01:00:00+02:00" << 2 << 30 << "2026-10-25T02:30:00+02:00";
    QTest::newRow("repeated hour: not twice")
        << "2026-10-25T02:45:00+02:00" << 2 << 30 << "2026-10-26T02:30:00+01:00";
    QTest::newRow("across the change")
        << "2026-10-24T23:00:00+02:00" << 22 << 0 << "2026-10-25T22:00:00+01:00";
}

void tst_ScheduleCalendar::nextOccurrence()
{
    QFETCH(QString, after);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, expected);

    const std::optional<QDateTime> next = nextDailyOccurrence(paris(after), hour, minute);

    QVERIFY(next.has_value());
    QCOMPARE(next->toUTC(), paris(expected).toUTC());
}

VELORINTH_TEST_MAIN_IN_PARIS(tst_ScheduleCalendar)
#include "tst_schedule_calendar.moc"
