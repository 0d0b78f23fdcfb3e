#pragma once

#include "design/animated_change.h"
#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

class AnimatedValue;

// The large start/stop capsule: "LANCER" in white on the accent gradient with a blue glow,
// or "ARRÊTER" in pink on glass while a session runs. Grows slightly under the pointer.
class MainButton : public PlainButton
{
    Q_OBJECT

public:
    MainButton(bool isActive, std::function<void()> action, QWidget *parent = nullptr);

    // The one look cross-fades into the other with animation: the button adds none of its
    // own to this change.
    void setActive(bool isActive, const Animation &animation = currentAnimation());
    [[nodiscard]] bool isActive() const { return m_isActive; }

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    [[nodiscard]] PaintCache::Key lookKey() const override;
    void paintLook(QPainter &painter) const override;

private:
    void paintStartLook(QPainter &painter, const QRectF &frame) const;
    void paintStopLook(QPainter &painter, const QRectF &frame) const;

    bool m_isActive;
    TextLine m_startTitle;
    TextLine m_stopTitle;
    AnimatedValue *m_activity; // 0 the start look, 1 the stop look
};

} // namespace velorinth
