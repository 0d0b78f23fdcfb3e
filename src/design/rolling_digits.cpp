#include "design/rolling_digits.h"

#include "design/animated_value.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
// How far a character travels in or out, in ascents: far enough to read as a roll, short
// enough that it never reaches the line above or below.
constexpr qreal kRollInAscents = 0.5;

QString digitsOf(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits.append(c);
    }
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits.remove(0, 1);
    return digits;
}

// The number a text stands for, read from its digits alone: "05:00" is 500 and "04:59"
// is 459, so a time counting down compares like the seconds it shows.
bool readsMore(const QString &text, const QString &than)
{
    const QString a = digitsOf(text);
    const QString b = digitsOf(than);
    return a.size() != b.size() ? a.size() > b.size() : a > b;
}

QChar characterAt(const QString &text, size_t fromRight)
{
    return fromRight < size_t(text.size()) ? text.at(text.size() - 1 - qsizetype(fromRight))
                                           : QChar();
}

double opacityAt(double position)
{
    return std::clamp(1.0 - std::abs(position), 0.0, 1.0);
}
} // namespace

RollingDigits::RollingDigits(const QFont &font, const QString &text, QObject *parent)
    : QObject(parent)
    , m_font(font)
    , m_metrics(font)
{
    setText(text, Animation::none());
}

void RollingDigits::setText(const QString &text, const Animation &animation, Roll roll)
{
    if (text == m_text)
        return;
    prune();
    if (roll == Roll::ByValue)
        roll = readsMore(text, m_text) ? Roll::Up : Roll::Down;
    const double arrival = roll == Roll::Up ? 1.0 : -1.0;
    m_text = text;
    const size_t count = std::max(m_slots.size(), size_t(text.size()));
    for (size_t i = 0; i < count; ++i) {
        const QChar character = characterAt(text, i);
        if (i == m_slots.size())
            m_slots.push_back({newValue(0.0), {QChar(), nullptr}, {}});
        Slot &slot = m_slots[i];
        slot.width->animateTo(character.isNull() ? 0.0 : advance(character), animation);
        if (slot.current.character == character)
            continue;
        if (slot.current.position) {
            slot.current.position->animateTo(-arrival, animation);
            slot.leaving.push_back(slot.current);
        }
        slot.current = {character, nullptr};
        if (!character.isNull()) {
            slot.current.position = newValue(arrival);
            slot.current.position->animateTo(0.0, animation);
        }
    }
    Q_EMIT changed();
}

QSizeF RollingDigits::size() const
{
    qreal width = 0.0;
    for (const QChar c : m_text)
        width += m_advances.value(c);
    return {width, m_metrics.height()};
}

qreal RollingDigits::shownWidth() const
{
    qreal width = 0.0;
    for (const Slot &slot : m_slots)
        width += slot.width->value();
    return width;
}

qreal RollingDigits::rollDistance() const
{
    return kRollInAscents * m_metrics.ascent();
}

std::vector<RollingDigits::Glyph> RollingDigits::glyphs(const QRectF &box,
                                                        Qt::Alignment alignment) const
{
    const qreal width = shownWidth();
    qreal right = box.left() + width;
    if (alignment & Qt::AlignRight)
        right = box.right();
    else if (alignment & Qt::AlignHCenter)
        right = box.center().x() + width / 2.0;
    qreal baseline = box.center().y() + (m_metrics.ascent() - m_metrics.descent()) / 2.0;
    if (alignment & Qt::AlignTop)
        baseline = box.top() + m_metrics.ascent();
    else if (alignment & Qt::AlignBottom)
        baseline = box.bottom() - m_metrics.descent();

    std::vector<Glyph> placed;
    for (const Slot &slot : m_slots) {
        const qreal slotWidth = slot.width->value();
        const auto place = [&](const Rolling &rolling) {
            const double position = rolling.position->value();
            const qreal opacity = opacityAt(position);
            if (rolling.character.isNull() || opacity <= 0.0)
                return;
            // Centred in its place while the place's width glides between two characters.
            const qreal x = right - slotWidth / 2.0 - m_advances.value(rolling.character) / 2.0;
            placed.push_back(
                {rolling.character, QPointF(x, baseline + position * rollDistance()), opacity});
        };
        for (const Rolling &rolling : slot.leaving)
            place(rolling);
        if (slot.current.position)
            place(slot.current);
        right -= slotWidth;
    }
    return placed;
}

void RollingDigits::paint(QPainter &painter, const QRectF &box, Qt::Alignment alignment) const
{
    painter.save();
    painter.setFont(m_font);
    const qreal opacity = painter.opacity();
    for (const Glyph &glyph : glyphs(box, alignment)) {
        painter.setOpacity(opacity * glyph.opacity);
        painter.drawStaticText(glyph.origin - QPointF(0.0, m_metrics.ascent()),
                               m_shapes.value(glyph.character));
    }
    painter.restore();
}

AnimatedValue *RollingDigits::newValue(double value)
{
    auto *animated = new AnimatedValue(value, this);
    connect(animated, &AnimatedValue::valueChanged, this, &RollingDigits::changed);
    return animated;
}

void RollingDigits::drop(Rolling &rolling)
{
    delete rolling.position;
    rolling.position = nullptr;
}

// Forgets characters that have rolled out and places that have closed.
void RollingDigits::prune()
{
    for (Slot &slot : m_slots) {
        std::erase_if(slot.leaving, [this](Rolling &rolling) {
            if (rolling.position->state() != QAbstractAnimation::Stopped)
                return false;
            drop(rolling);
            return true;
        });
    }
    while (!m_slots.empty()) {
        Slot &last = m_slots.back();
        if (!last.current.character.isNull() || !last.leaving.empty()
            || last.width->state() != QAbstractAnimation::Stopped)
            break;
        delete last.width;
        m_slots.pop_back();
    }
}

qreal RollingDigits::advance(QChar character)
{
    const auto known = m_advances.constFind(character);
    if (known != m_advances.constEnd())
        return *known;
    QStaticText shape{QString(character)};
    shape.setTextFormat(Qt::PlainText);
    shape.prepare(QTransform(), m_font);
    m_shapes.insert(character, shape);
    return *m_advances.insert(character, m_metrics.horizontalAdvance(character));
}

} // namespace velorinth
