#pragma once

#include "design/text_line.h"

#include <QWidget>

#include <array>

namespace velorinth {

class MenuBarQuickStart;
class SleepManager;

// The idle panel in timer mode: "Lancer dans…" over four preset tiles, two by two, each
// of which sets the session's length and starts it.
class QuickStartGrid : public QWidget
{
    Q_OBJECT

public:
    explicit QuickStartGrid(SleepManager &manager, QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    [[nodiscard]] QSize tileHint() const;

    TextLine m_caption;
    std::array<MenuBarQuickStart *, 4> m_tiles;
};

} // namespace velorinth
