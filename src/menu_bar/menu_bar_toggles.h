#pragma once

#include "menu_bar/paint_cache.h"

#include <QWidget>

#include <array>

namespace velorinth {

class MenuBarToggleButton;
class SleepManager;

// The panel's bottom row: the volume fade, the screen dimming and the charging LED as
// three equal tiles between two dividers, on one rounded glass background.
class MenuBarToggles : public QWidget
{
    Q_OBJECT

public:
    explicit MenuBarToggles(SleepManager &manager, QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    [[nodiscard]] QRectF dividerAt(int index) const;

    std::array<MenuBarToggleButton *, 3> m_tiles;
    PaintCache m_cache;
};

} // namespace velorinth
