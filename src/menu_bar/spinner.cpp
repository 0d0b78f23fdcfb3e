#include "menu_bar/spinner.h"

#include "design/color_math.h"
#include "design/frame_clock.h"
#include "design/pause_while_hidden.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace velorinth {

namespace {
constexpr int kSpokes = 12;
constexpr double kTurnsPerSecond = 1.0;
constexpr qreal kInnerRadius = 0.45; // of the outer radius
constexpr qreal kSpokeWidth = 0.16; // of the diameter
constexpr qreal kDimmest = 0.25;
} // namespace

Spinner::Spinner(QWidget *view)
    : QObject(view)
    , m_clock(new FrameClock(this))
{
    connect(m_clock, &FrameClock::ticked, this, &Spinner::ticked);
    PauseWhileHidden::watch(view, m_clock);
}

void Spinner::setSpinning(bool spinning)
{
    if (spinning == isSpinning())
        return;
    if (spinning)
        m_clock->start();
    else
        m_clock->stop();
}

bool Spinner::isSpinning() const
{
    return m_clock->state() != QAbstractAnimation::Stopped;
}

void Spinner::ticked()
{
    const int step =
        static_cast<int>(std::floor(m_clock->seconds() * kTurnsPerSecond * kSpokes)) % kSpokes;
    if (step == m_step)
        return;
    m_step = step;
    Q_EMIT changed();
}

void Spinner::paint(QPainter &painter, QPointF centre, qreal diameter, const QColor &colour) const
{
    const qreal outer = diameter / 2.0 - diameter * kSpokeWidth / 2.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    for (int i = 0; i < kSpokes; ++i) {
        // The spokes behind the brightest one fade out, clockwise from 12 o'clock.
        const int behind = (m_step - i + kSpokes) % kSpokes;
        const qreal opacity = 1.0 - (1.0 - kDimmest) * behind / (kSpokes - 1);
        painter.setPen(QPen(withOpacity(colour, opacity), diameter * kSpokeWidth, Qt::SolidLine,
                            Qt::RoundCap));
        painter.save();
        painter.rotate(360.0 * i / kSpokes);
        painter.drawLine(QPointF(0.0, -outer * kInnerRadius), QPointF(0.0, -outer));
        painter.restore();
    }
    painter.restore();
}

} // namespace velorinth
