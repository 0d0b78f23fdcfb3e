#include "main_window/background_view.h"

namespace velorinth {

namespace {
constexpr int kStarDensity = 30;
constexpr qreal kStarOpacity = 0.3;
} // namespace

BackgroundView::BackgroundView(QWidget *parent)
    : DriftingGround(DriftingOrbs::windowLayout(), kStarDensity, kStarOpacity, parent)
{
    setStarsShown(false, Animation::none());
}

void BackgroundView::setActive(bool active, const Animation &animation)
{
    m_active = active;
    orbs().setDrifting(active);
    setStarsShown(active, animation);
}

} // namespace velorinth
