#include "design/drifting_ground.h"

#include "design/animated_value.h"
#include "design/pixel_ratio_watch.h"
#include "design/starfield.h"

#include <QPainter>

namespace velorinth {

DriftingGround::DriftingGround(const DriftingOrbs::Layout &layout, int starDensity,
                               qreal starOpacity, QWidget *parent)
    : QWidget(parent)
    , m_orbs(new DriftingOrbs(layout, this))
    , m_stars(new Starfield(starDensity, this))
    , m_starOpacity(starOpacity)
    , m_starsShown(AnimatedValue::repainting(1.0, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_stars->setOpacity(m_starOpacity);
    PixelRatioWatch::watch(this, [this](qreal ratio) { m_stars->setPixelRatio(ratio); });
    connect(m_orbs, &DriftingOrbs::changed, this, [this] {
        m_stars->catchUp();
        update();
    });
    connect(m_stars, &Starfield::changed, this, [this](const QRegion &area) {
        if (starsShown())
            update(area);
    });
    connect(m_starsShown, &AnimatedValue::valueChanged, this, [this](double shown) {
        m_stars->setOpacity(m_starOpacity * shown);
        // Gone: nothing twinkles until they come back.
        if (m_starsShown->value() <= 0.0 && !starsShown())
            m_stars->stop();
    });
}

void DriftingGround::setStarsShown(bool shown, const Animation &animation)
{
    m_starsShown->animateTo(shown ? 1.0 : 0.0, animation);
    if (shown && isVisible() && !m_stars->isTwinkling())
        m_stars->start();
}

bool DriftingGround::starsShown() const
{
    return m_starsShown->target() > 0.0;
}

void DriftingGround::showEvent(QShowEvent *event)
{
    if (starsShown())
        m_stars->start();
    QWidget::showEvent(event);
}

void DriftingGround::resizeEvent(QResizeEvent *)
{
    m_stars->setSize(size());
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
