#include "main_window/controls/status_indicator.h"

#include "main_window/control_testing.h"

#include <QtTest>

using namespace velorinth;

namespace {
class PressRecorder : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};
} // namespace

class tst_StatusIndicator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clicksGoThroughToWhatIsBehind();
};

void tst_StatusIndicator::clicksGoThroughToWhatIsBehind()
{
    PressRecorder screen;
    auto *indicator = new StatusIndicator(true, QStringLiteral("sun.min.fill"), &screen);
    indicator->setGeometry(QRect(QPoint(10, 10), indicator->sizeHint()));
    screen.resize(100, 100);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseClick(&screen, Qt::LeftButton, {}, indicator->geometry().center());
    QCOMPARE(screen.presses, 1);
    QVERIFY(indicator->isOn());
}

QTEST_MAIN(tst_StatusIndicator)
#include "tst_status_indicator.moc"
