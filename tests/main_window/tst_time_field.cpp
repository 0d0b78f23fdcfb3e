#include "main_window/time_field.h"

#include "support/paris_test_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>

using namespace velorinth;

class tst_TimeField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void editsOnlyHourAndMinute_data();
    void editsOnlyHourAndMinute();
    void tabWalksThroughHourThenMinute_data();
    void tabWalksThroughHourThenMinute();

private:
    // Over the hour or the minute: the field is [hour]:[minute] with the stepper after.
    [[nodiscard]] QPoint over(TimeField::Segment segment) const
    {
        const qreal share = segment == TimeField::Segment::Hour ? 0.2 : 0.55;
        return {qRound(m_field->width() * share), m_field->height() / 2};
    }
    void wheelOver(TimeField::Segment segment)
    {
        const QPointF at = over(segment);
        QWheelEvent wheel(at, m_field->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_field, &wheel);
    }

    QDateTime m_time;
    TimeField *m_field = nullptr;
};

void tst_TimeField::init()
{
    m_field = new TimeField({[this] { return m_time; }, [this](QDateTime t) { m_time = t; }});
    m_field->resize(m_field->sizeHint());
    m_field->show();
    m_field->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_field));
}

void tst_TimeField::cleanup()
{
    delete m_field;
}

void tst_TimeField::editsOnlyHourAndMinute_data()
{
    QTest::addColumn<QString>("start");
    // h, m: a click on the hour, the minute; digits typed; + and -: the Up and Down keys;
    // H, M: a wheel notch up over the hour, the minute; >: Tab.
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two digits each") << "2026-01-10T22:30:15"
                                     << "h2305"
                                     << "2026-01-10T23:05:15";
    QTest::newRow("a 7 fills the hour") << "2026-01-10T22:30:15"
                                        << "h745"
                                        << "2026-01-10T07:45:15";
    QTest::newRow("Tab to the minute") << "2026-01-10T22:30:15"
                                       << "h>45"
                                       << "2026-01-10T22:45:15";
    QTest::newRow("Up wraps the minute alone") << "2026-01-10T22:59:15"
                                               << "m+"
                                               << "2026-01-10T22:00:15";
    QTest::newRow("Down wraps the hour") << "2026-01-10T00:30:15"
                                         << "h-"
                                         << "2026-01-10T23:30:15";
    QTest::newRow("wheel over the minute") << "2026-01-10T22:30:15"
                                           << "M"
                                           << "2026-01-10T22:31:15";
    QTest::newRow("wheel past midnight keeps the day") << "2026-01-10T23:30:15"
                                                       << "H"
                                                       << "2026-01-10T00:30:15";
    // The clocks skip 02:00-03:00 that day: the day before holds the chosen time.
    QTest::newRow("a time the day skips") << "2026-03-29T01:30:00"
                                          << "h02"
                                          << "2026-03-28T02:30:00";
}

void tst_TimeField::editsOnlyHourAndMinute()
{
    QFETCH(QString, start);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    m_time = paris(start);
    m_field->setFocus();
    for (const QChar c : input) {
        if (c == QLatin1Char('h') || c == QLatin1Char('m')) {
            QTest::mouseClick(m_field, Qt::LeftButton, {},
                              over(c == QLatin1Char('h') ? TimeField::Segment::Hour
                                                         : TimeField::Segment::Minute));
        } else if (c == QLatin1Char('H') || c == QLatin1Char('M')) {
            wheelOver(c == QLatin1Char('H') ? TimeField::Segment::Hour
                                            : TimeField::Segment::Minute);
        } else if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
            QTest::keyClick(m_field, c == QLatin1Char('+') ? Qt::Key_Up : Qt::Key_Down);
        } else if (c == QLatin1Char('>')) {
            QTest::keyClick(m_field, Qt::Key_Tab);
        } else {
            QTest::keyClick(m_field, c.toLatin1());
        }
    }
    QCOMPARE(m_time, paris(expected));
}

void tst_TimeField::tabWalksThroughHourThenMinute_data()
{
    QTest::addColumn<QString>("keys"); // from the field before: > Tab, < Shift+Tab
    QTest::addColumn<QString>("selected"); // in the field, or where the focus went
    QTest::newRow("Tab in: the hour") << ">"
                                      << "hour";
    QTest::newRow("Tab again: the minute") << ">>"
                                           << "minute";
    QTest::newRow("and out") << ">>>"
                             << "after";
    QTest::newRow("back in: the minute") << ">>><"
                                         << "minute";
    QTest::newRow("back again: the hour") << ">>><<"
                                          << "hour";
}

void tst_TimeField::tabWalksThroughHourThenMinute()
{
    QFETCH(QString, keys);
    QFETCH(QString, selected);
    m_time = paris("2026-01-10T22:30:15");
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *field =
        new TimeField({[this] { return m_time; }, [this](QDateTime t) { m_time = t; }}, &window);
    auto *after = new QLineEdit(&window);
    field->setGeometry(QRect(QPoint(0, 40), field->sizeHint()));
    after->move(0, 120);
    window.resize(300, 160);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The minute was the last one clicked.
    QTest::mouseClick(field, Qt::LeftButton, {},
                      QPoint(qRound(field->width() * 0.55), field->height() / 2));
    before->setFocus();
    for (const QChar c : keys) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        c == QLatin1Char('<') ? Qt::ShiftModifier : Qt::NoModifier);
    }
    if (selected == QLatin1String("after")) {
        QCOMPARE(QApplication::focusWidget(), after);
        return;
    }
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->selectedSegment(),
             selected == QLatin1String("hour") ? TimeField::Segment::Hour
                                               : TimeField::Segment::Minute);
}

VELORINTH_TEST_APP_MAIN_IN_PARIS(QApplication, tst_TimeField)
#include "tst_time_field.moc"
