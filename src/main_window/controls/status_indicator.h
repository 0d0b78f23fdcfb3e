#pragma once

#include "design/animated_change.h"
#include "design/paint_cache.h"

#include <QWidget>

namespace velorinth {

class AnimatedValue;

// A round, display-only sign that an option is on (blue symbol) or off (faint symbol).
class StatusIndicator : public QWidget
{
    Q_OBJECT

public:
    StatusIndicator(bool isOn, const QString &icon, QWidget *parent = nullptr);

    // The symbol's colour moves with animation: the indicator adds none of its own.
    void setOn(bool isOn, const Animation &animation = currentAnimation());
    [[nodiscard]] bool isOn() const { return m_isOn; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintLook(QPainter &painter) const;

    bool m_isOn;
    QString m_icon;
    AnimatedValue *m_lit; // 0 off, 1 on
    PaintCache m_picture;
};

} // namespace velorinth
