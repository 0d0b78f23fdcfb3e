#include "design/rolling_digits.h"

#include "design/animation.h"
#include "support/animation_time.h"

#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

namespace {
const QRectF kBox(0, 0, 300, 100);
const Animation kRoll = Animation::linear(0.4);

QString shown(const RollingDigits &digits)
{
    QString text;
    for (const RollingDigits::Glyph &glyph : digits.glyphs(kBox))
        text.prepend(glyph.character);
    return text;
}
} // namespace

class tst_RollingDigits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changedCharactersRoll_data();
    void changedCharactersRoll();
    void sameTextOrInstantChangeDoesNotRoll();
    void changeDuringARollContinuesFromWhatIsShown();
};

void tst_RollingDigits::changedCharactersRoll_data()
{
    using Roll = RollingDigits::Roll;
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<Roll>("roll");
    QTest::addColumn<QString>("steady"); // the characters that stay in place
    QTest::addColumn<int>("leaving"); // -1: old characters leave upwards, new come from below
    QTest::newRow("29 to 30") << "29"
                              << "30" << Roll::ByValue << "" << -1;
    QTest::newRow("129 to 130") << "129"
                                << "130" << Roll::ByValue << "1" << -1;
    QTest::newRow("180 to 5") << "180"
                              << "5" << Roll::ByValue << "" << 1;
    QTest::newRow("counting down") << "05:00"
                                   << "04:59" << Roll::ByValue << "0:" << 1;
    QTest::newRow("hours run out") << "1:00:00"
                                   << "59:59" << Roll::ByValue << ":" << 1;
    QTest::newRow("told up") << "42%"
                             << "41%" << Roll::Up << "4%" << -1;
}

void tst_RollingDigits::changedCharactersRoll()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(RollingDigits::Roll, roll);
    QFETCH(QString, steady);
    QFETCH(int, leaving);
    RollingDigits digits(QFont(), from);
    const RollingDigits settled(QFont(), to);
    const qreal baseline = digits.glyphs(kBox).front().origin.y();
    digits.setText(to, kRoll, roll);
    setAnimationTimes(&digits, 200);
    QString stayed;
    for (const RollingDigits::Glyph &glyph : digits.glyphs(kBox)) {
        const qreal offset = glyph.origin.y() - baseline;
        if (offset == 0.0) {
            QCOMPARE(glyph.opacity, 1.0);
            stayed.prepend(glyph.character);
            continue;
        }
        // Halfway, an old and a new character share a place, half faded, on either side.
        QCOMPARE(glyph.opacity, 0.5);
        if (!to.contains(glyph.character))
            QCOMPARE(offset > 0.0 ? 1 : -1, leaving);
        if (!from.contains(glyph.character))
            QCOMPARE(offset > 0.0 ? 1 : -1, -leaving);
    }
    QCOMPARE(stayed, steady);
    setAnimationTimes(&digits, 400);
    QCOMPARE(shown(digits), to);
    QCOMPARE(digits.glyphs(kBox).front().origin, settled.glyphs(kBox).front().origin);
}

void tst_RollingDigits::sameTextOrInstantChangeDoesNotRoll()
{
    RollingDigits digits(QFont(), QStringLiteral("29"));
    QSignalSpy changed(&digits, &RollingDigits::changed);
    digits.setText(QStringLiteral("29"), kRoll);
    QCOMPARE(changed.count(), 0);
    digits.setText(QStringLiteral("30"), Animation::none());
    QCOMPARE(shown(digits), QStringLiteral("30"));
    for (const QAbstractAnimation *animation : digits.findChildren<QAbstractAnimation *>())
        QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
}

void tst_RollingDigits::changeDuringARollContinuesFromWhatIsShown()
{
    RollingDigits digits(QFont(), QStringLiteral("29"));
    digits.setText(QStringLiteral("30"), kRoll);
    setAnimationTimes(&digits, 200);
    const auto before = digits.glyphs(kBox);
    digits.setText(QStringLiteral("31"), kRoll);
    const auto after = digits.glyphs(kBox);
    QCOMPARE(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        QCOMPARE(after[i].origin, before[i].origin);
    setAnimationTimes(&digits, 400);
    QCOMPARE(shown(digits), QStringLiteral("31"));
}

QTEST_MAIN(tst_RollingDigits)
#include "tst_rolling_digits.moc"
