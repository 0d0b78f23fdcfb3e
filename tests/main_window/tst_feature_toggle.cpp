#include "main_window/controls/feature_toggle.h"

#include "main_window/control_testing.h"
#include "support/animation_time.h"
#include "support/pixels.h"

#include <QtTest>

using namespace velorinth;

class tst_FeatureToggle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void clickInvertsTheBoundValue_data();
    void clickInvertsTheBoundValue();
    void followsAChangeMadeElsewhere();
    void changeMidAnimationTurnsBack();
    void unchangedValueDoesNotRepaint();

private:
    [[nodiscard]] int bluePixels() const
    {
        setAnimationTimes(m_toggle, 2000);
        return countPixels(m_toggle->grab().toImage(), QRectF(m_toggle->contentsRect()), isBlue);
    }

    FakeSetting *m_option = nullptr;
    PaintCounter<FeatureToggle> *m_toggle = nullptr;
};

void tst_FeatureToggle::init()
{
    m_option = new FakeSetting;
    m_toggle = new PaintCounter<FeatureToggle>(
        bindProperty(m_option, &FakeSetting::isOn, &FakeSetting::setOn, &FakeSetting::valueChanged),
        QStringLiteral("lightbulb.slash"), QStringLiteral("LED"));
    m_toggle->resize(m_toggle->sizeHint());
    putOnBlack(m_toggle);
    m_toggle->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_toggle));
}

void tst_FeatureToggle::cleanup()
{
    delete m_toggle;
    delete m_option;
}

void tst_FeatureToggle::clickInvertsTheBoundValue_data()
{
    QTest::addColumn<bool>("accepts");
    QTest::addColumn<bool>("lit");
    QTest::newRow("owner keeps it: card lights up") << true << true;
    // The LED option without its helper tool: the model puts it back to off.
    QTest::newRow("owner refuses: card stays off") << false << false;
}

void tst_FeatureToggle::clickInvertsTheBoundValue()
{
    QFETCH(bool, accepts);
    QFETCH(bool, lit);
    m_option->accepts = accepts;
    QCOMPARE(bluePixels(), 0);
    click(m_toggle, QRectF(m_toggle->contentsRect()).center());
    QCOMPARE(m_option->writes, 1);
    QCOMPARE(m_option->isOn(), lit);
    QCOMPARE(bluePixels() > 10, lit);
}

void tst_FeatureToggle::followsAChangeMadeElsewhere()
{
    m_option->setOn(true);
    QVERIFY(bluePixels() > 10);
    m_option->setOn(false);
    QCOMPARE(bluePixels(), 0);
}

void tst_FeatureToggle::changeMidAnimationTurnsBack()
{
    m_option->setOn(true);
    const int lit = bluePixels();
    m_option->setOn(false);
    QCOMPARE(bluePixels(), 0);

    click(m_toggle, QRectF(m_toggle->contentsRect()).center());
    setAnimationTimes(m_toggle, 175); // half way through the default 0.35 s
    const int halfLit =
        countPixels(m_toggle->grab().toImage(), QRectF(m_toggle->contentsRect()), isBlue);
    QVERIFY2(halfLit > 0 && halfLit < lit,
             qPrintable(QStringLiteral("%1 of %2").arg(halfLit).arg(lit)));

    m_option->setOn(false); // the owner takes it back before the card is lit
    QCOMPARE(bluePixels(), 0);
}

void tst_FeatureToggle::unchangedValueDoesNotRepaint()
{
    QCoreApplication::processEvents();
    m_toggle->paints = 0;
    m_option->setOn(false); // announced all the same
    QCoreApplication::processEvents();
    QCOMPARE(m_toggle->paints, 0);
}

QTEST_MAIN(tst_FeatureToggle)
#include "tst_feature_toggle.moc"
