#include "menu_bar/menu_bar_background.h"

#include "design/design_system.h"

namespace velorinth {

namespace {
constexpr int kStarDensity = 10;
constexpr qreal kStarOpacity = 0.15;
} // namespace

MenuBarBackground::MenuBarBackground(bool isActive, QWidget *parent)
    : DriftingGround(DriftingOrbs::panelLayout(isActive), kStarDensity, kStarOpacity, parent)
    , m_isActive(isActive)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MenuBarBackground::setAnimate(bool animate)
{
    orbs().setDrifting(animate);
}

void MenuBarBackground::setActive(bool isActive)
{
    if (isActive == m_isActive)
        return;
    m_isActive = isActive;
    orbs().recolour(DriftingOrbs::panelLayout(isActive), DesignSystem::Animations::spring);
}

} // namespace velorinth
