#include "design/drifting_ground.h"

#include "design/animated_value.h"
#include "design/starfield.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr int kStarRepaintInterval = 100; // ms
}

DriftingGround::DriftingGround(const DriftingOrbs::Layout &layout, int starDensity,
                               qreal starOpacity, QWidget *parent)
    : QWidget(parent)
    , m_orbs(new DriftingOrbs(layout, this))
    , m_stars(new Starfield(starDensity, this))
    , m_starOpacity(starOpacity)
    , m_starsShown(AnimatedValue::repainting(1.0, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_starRepaint.setSingleShot(true);
    m_starRepaint.setInterval(kStarRepaintInterval);
    connect(m_orbs, &DriftingOrbs::changed, this, [this] {
        m_starRepaint.stop();
        m_pendingStars = QRegion();
        update();
    });
    connect(m_stars, &Starfield::changed, this, &DriftingGround::starsChanged);
    connect(&m_starRepaint, &QTimer::timeout, this, [this] {
        update(m_pendingStars);
        m_pendingStars = QRegion();
    });
}

void DriftingGround::setStarsShown(bool shown, const Animation &animation)
{
    m_starsShown->animateTo(shown ? 1.0 : 0.0, animation);
}

bool DriftingGround::starsShown() const
{
    return m_starsShown->target() > 0.0;
}

void DriftingGround::starsChanged(const QRegion &area)
{
    if (!starsShown())
        return;
    m_pendingStars += area;
    if (!m_starRepaint.isActive())
        m_starRepaint.start();
}

void DriftingGround::showEvent(QShowEvent *event)
{
    m_stars->start();
    QWidget::showEvent(event);
}

void DriftingGround::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_orbs->paint(painter, rect());
    const qreal stars = m_starsShown->value();
    if (stars > 0.0) {
        painter.setOpacity(m_starOpacity * stars);
        m_stars->paint(painter, rect());
    }
}

} // namespace velorinth
