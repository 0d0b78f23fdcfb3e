#include "menu_bar/menu_bar_toggles.h"

#include "design/design_system.h"
#include "design/shapes.h"
#include "engine/sleep_manager.h"
#include "menu_bar/menu_bar_toggle_button.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr int kDividerWidth = 1;
constexpr qreal kDividerHeight = 28.0;
constexpr qreal kCornerRadius = 10.0;
constexpr qreal kOutlineWidth = 0.5;
} // namespace

MenuBarToggles::MenuBarToggles(SleepManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_tiles{new MenuBarToggleButton(bindProperty(&manager, &SleepManager::isFadeOutEnabled,
                                                   &SleepManager::setFadeOutEnabled,
                                                   &SleepManager::isFadeOutEnabledChanged),
                                      QStringLiteral("speaker.wave.2.fill"),
                                      QStringLiteral("Volume"), DesignSystem::Colors::appleBlue,
                                      this),
              new MenuBarToggleButton(bindProperty(&manager, &SleepManager::isScreenDimmingEnabled,
                                                   &SleepManager::setScreenDimmingEnabled,
                                                   &SleepManager::isScreenDimmingEnabledChanged),
                                      QStringLiteral("sun.min.fill"), QStringLiteral("Écran"),
                                      DesignSystem::Colors::applePurple, this),
              new MenuBarToggleButton(bindProperty(&manager, &SleepManager::isLEDOff,
                                                   &SleepManager::setLEDOff,
                                                   &SleepManager::isLEDOffChanged),
                                      QStringLiteral("lightbulb.slash"), QStringLiteral("LED"),
                                      DesignSystem::Colors::appleIndigo, this)}
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize MenuBarToggles::sizeHint() const
{
    QSize size(2 * kDividerWidth, 0);
    for (const MenuBarToggleButton *tile : m_tiles) {
        size.rwidth() += tile->sizeHint().width();
        size.setHeight(std::max(size.height(), tile->sizeHint().height()));
    }
    return size;
}

void MenuBarToggles::resizeEvent(QResizeEvent *)
{
    // Three equal shares of what the dividers leave; the last tile takes the rounding.
    const int share = (width() - 2 * kDividerWidth) / 3;
    int left = 0;
    for (size_t i = 0; i < m_tiles.size(); ++i) {
        const int tileWidth = i + 1 < m_tiles.size() ? share : width() - left;
        m_tiles[i]->setGeometry(left, 0, tileWidth, height());
        left += tileWidth + kDividerWidth;
    }
}

QRectF MenuBarToggles::dividerAt(int index) const
{
    const qreal left = m_tiles[index]->geometry().right() + 1;
    return {left, (height() - kDividerHeight) / 2.0, kDividerWidth, kDividerHeight};
}

void MenuBarToggles::paintEvent(QPaintEvent *)
{
    using namespace DesignSystem::Colors;
    QPainter window(this);
    m_cache.paint(window, *this, {}, [this](QPainter &painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        // The hairline stays inside the widget, which clips.
        const qreal inset = kOutlineWidth / 2.0;
        const QPainterPath shape = continuousRoundedRect(
            QRectF(rect()).adjusted(inset, inset, -inset, -inset), kCornerRadius);
        painter.fillPath(shape, glassBackground);
        painter.strokePath(shape, QPen(glassBorder, kOutlineWidth));
        for (int i = 0; i < 2; ++i)
            painter.fillRect(dividerAt(i), glassBorder);
    });
}

} // namespace velorinth
