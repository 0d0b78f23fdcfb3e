#include "main_window/background_view.h"

#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

class tst_BackgroundView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void driftsOnlyWhileActive();
};

void tst_BackgroundView::driftsOnlyWhileActive()
{
    BackgroundView view;
    view.resize(320, 560);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage still = view.grab().toImage();

    view.setActive(true);
    QVERIFY(view.starsShown());
    setAnimationTimes(&view, 4000);
    QVERIFY(view.grab().toImage() != still);

    // What makes it inactive: another window takes the focus.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    view.setActive(false);
    QVERIFY(!view.starsShown());
    QCOMPARE(runningAnimations(&view), QStringList());
    QCOMPARE(view.grab().toImage(), still); // the orbs back at their first places, no stars
}

QTEST_MAIN(tst_BackgroundView)
#include "tst_background_view.moc"
