#include "main_window/controls/mode_tab_button.h"

#include "support/animation_time.h"
#include "support/pixels.h"
#include "main_window/control_testing.h"

#include <QtTest>

using namespace velorinth;

class tst_ModeTabButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void clickCallsTheActionOnce();
    void selectionMovesWithTheSpring();

private:
    ModeTabButton *m_tab = nullptr;
    int m_clicks = 0;
};

void tst_ModeTabButton::init()
{
    m_clicks = 0;
    m_tab = new ModeTabButton(QStringLiteral("Planifié"), QStringLiteral("clock"), false,
                              [this] { ++m_clicks; });
    m_tab->resize(m_tab->sizeHint());
    putOnBlack(m_tab);
    m_tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tab));
}

void tst_ModeTabButton::cleanup()
{
    delete m_tab;
}

void tst_ModeTabButton::clickCallsTheActionOnce()
{
    click(m_tab, QRectF(m_tab->rect()).center());
    QCOMPARE(m_clicks, 1);
    QVERIFY(!m_tab->isSelected()); // selecting is the owner's business
}

void tst_ModeTabButton::selectionMovesWithTheSpring()
{
    const QRectF edge(3, 6, 6, 6); // inside the capsule, clear of symbol and text
    const auto blueFill = [&] {
        return m_tab->grab()
            .toImage()
            .pixelColor((edge.center() * m_tab->devicePixelRatio()).toPoint())
            .blue();
    };
    const int unselected = blueFill();
    m_tab->setSelected(true);
    setAnimationTimes(m_tab, 60);
    const int early = blueFill();
    setAnimationTimes(m_tab, 2000);
    const int settled = blueFill();
    QVERIFY(unselected < early);
    QVERIFY(early < settled);
}

QTEST_MAIN(tst_ModeTabButton)
#include "tst_mode_tab_button.moc"
