#include "menu_bar/quick_start_grid.h"

#include "design/design_system.h"
#include "design/frame_layout.h"
#include "engine/sleep_manager.h"
#include "menu_bar/menu_bar_quick_start.h"

#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kPadding = 16.0; // leading and trailing of the grid
constexpr qreal kCaptionToGrid = 14.0;
constexpr qreal kColumnSpacing = 8.0;
constexpr qreal kRowSpacing = 8.0;
constexpr int kColumns = 2;

struct Preset
{
    int minutes;
    const char16_t *icon;
};
constexpr std::array<Preset, 4> kPresets{
    {{15, u"moon"}, {30, u"moon.haze"}, {60, u"moon.stars"}, {90, u"sparkles"}}};
} // namespace

QuickStartGrid::QuickStartGrid(SleepManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_caption(QStringLiteral("Lancer dans\u2026"), DesignSystem::Fonts::sans(11, QFont::Medium))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (size_t i = 0; i < kPresets.size(); ++i) {
        const int minutes = kPresets[i].minutes;
        // The preset becomes the stored length too, which the main window then shows.
        m_tiles[i] = new MenuBarQuickStart(
            minutes, QString::fromUtf16(kPresets[i].icon),
            [&manager, minutes] {
                manager.setSessionDuration(minutes * 60.0);
                manager.startTimer();
            },
            this);
    }
}

QSize QuickStartGrid::tileHint() const
{
    QSize hint;
    for (const MenuBarQuickStart *tile : m_tiles)
        hint = hint.expandedTo(frameSizeOf(tile));
    return hint;
}

QSize QuickStartGrid::sizeHint() const
{
    const QSize tile = tileHint();
    const qreal rows = std::ceil(qreal(m_tiles.size()) / kColumns);
    return {static_cast<int>(std::ceil(2 * kPadding + kColumns * tile.width()
                                       + (kColumns - 1) * kColumnSpacing)),
            static_cast<int>(std::ceil(m_caption.size().height() + kCaptionToGrid
                                       + rows * tile.height() + (rows - 1) * kRowSpacing))};
}

void QuickStartGrid::resizeEvent(QResizeEvent *)
{
    const qreal columnWidth = (width() - 2 * kPadding - (kColumns - 1) * kColumnSpacing) / kColumns;
    const qreal rowHeight = tileHint().height();
    const qreal top = m_caption.size().height() + kCaptionToGrid;
    for (size_t i = 0; i < m_tiles.size(); ++i) {
        const int column = static_cast<int>(i) % kColumns;
        const int row = static_cast<int>(i) / kColumns;
        setFrame(m_tiles[i],
                 QRectF(kPadding + column * (columnWidth + kColumnSpacing),
                        top + row * (rowHeight + kRowSpacing), columnWidth, rowHeight));
    }
}

void QuickStartGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(DesignSystem::Colors::textSecondary);
    m_caption.paint(painter, {width() / 2.0, m_caption.size().height() / 2.0});
}

} // namespace velorinth
