#include "main_window/rolling_label.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
int up(qreal v)
{
    return static_cast<int>(std::ceil(v));
}
} // namespace

RollingLabel::RollingLabel(const QFont &font, const QColor &colour, QWidget *parent)
    : QWidget(parent)
    , m_digits(font, {}, this)
    , m_colour(colour)
    , m_ascent(QFontMetricsF(font).ascent())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const int roll = up(m_digits.rollDistance());
    setContentsMargins(0, roll, 0, roll);
    connect(&m_digits, &RollingDigits::changed, this, &RollingLabel::digitsChanged);
}

void RollingLabel::setText(const QString &text, const Animation &animation)
{
    m_digits.setText(text, animation, RollingDigits::Roll::Up);
}

qreal RollingLabel::baseline() const
{
    return m_ascent;
}

QSize RollingLabel::sizeHint() const
{
    return QSize(up(m_digits.shownWidth()), up(m_digits.size().height()))
        .grownBy(contentsMargins());
}

void RollingLabel::digitsChanged()
{
    update();
    // Whole points: a roll moves the layout a few times, not at every frame.
    const int width = up(m_digits.shownWidth());
    if (width != m_width) {
        m_width = width;
        Q_EMIT frameWidthChanged();
    }
}

void RollingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_colour);
    m_digits.paint(painter, QRectF(contentsRect()), Qt::AlignHCenter | Qt::AlignTop);
}

} // namespace velorinth
