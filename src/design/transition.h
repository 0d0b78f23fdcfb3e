#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <algorithm>

namespace velorinth {

// How a view comes in and how it goes away: an insertion and a removal effect, each a
// mix of a fade, a scale about a point and a move out to an edge. Combine with +:
//   Transition::asymmetric(Transition::opacity() + Transition::scale(0.9),
//                          Transition::opacity() + Transition::scale(1.1))
class Transition
{
public:
    // The look of a view fully away (before its insertion, after its removal), relative
    // to its own frame; in between, each part moves linearly with the progress.
    struct Effect
    {
        qreal opacity = 1.0;
        qreal scale = 1.0; // about anchor
        QPointF anchor{0.5, 0.5}; // a unit point of the frame: (0.5, 0.5) its centre
        QPointF move; // in frame sizes: (-1, 0) is one width to the left

        // away: 0 in place, 1 fully away; a spring may carry it past either end. The
        // opacity is clamped, the scale and the move follow.
        [[nodiscard]] constexpr qreal opacityAt(qreal away) const
        {
            return std::clamp(1.0 + (opacity - 1.0) * away, 0.0, 1.0);
        }
        [[nodiscard]] QTransform transformAt(qreal away, const QRectF &frame) const;

        // Both at once. Of two scales the anchor of the right one counts.
        [[nodiscard]] constexpr Effect operator+(const Effect &other) const
        {
            return {opacity * other.opacity, scale * other.scale,
                    other.scale != 1.0 ? other.anchor : anchor, move + other.move};
        }
    };

    // Comes and goes as it is.
    constexpr Transition() = default;

    [[nodiscard]] static constexpr Transition opacity()
    {
        Effect faded;
        faded.opacity = 0.0;
        return symmetric(faded);
    }
    [[nodiscard]] static constexpr Transition scale(qreal scale, QPointF anchor = {0.5, 0.5})
    {
        Effect scaled;
        scaled.scale = scale;
        scaled.anchor = anchor;
        return symmetric(scaled);
    }
    // In from that edge and out to it, by the view's own width or height.
    [[nodiscard]] static constexpr Transition move(Qt::Edge edge)
    {
        switch (edge) {
        case Qt::LeftEdge:
            return symmetric({.move = {-1.0, 0.0}});
        case Qt::RightEdge:
            return symmetric({.move = {1.0, 0.0}});
        case Qt::TopEdge:
            return symmetric({.move = {0.0, -1.0}});
        case Qt::BottomEdge:
            break;
        }
        return symmetric({.move = {0.0, 1.0}});
    }
    // The insertion of one and the removal of the other.
    [[nodiscard]] static constexpr Transition asymmetric(const Transition &insertion,
                                                         const Transition &removal)
    {
        return {insertion.m_insertion, removal.m_removal};
    }

    [[nodiscard]] constexpr Transition operator+(const Transition &other) const
    {
        return {m_insertion + other.m_insertion, m_removal + other.m_removal};
    }

    [[nodiscard]] constexpr const Effect &insertion() const { return m_insertion; }
    [[nodiscard]] constexpr const Effect &removal() const { return m_removal; }

private:
    constexpr Transition(const Effect &insertion, const Effect &removal)
        : m_insertion(insertion)
        , m_removal(removal)
    {
    }
    [[nodiscard]] static constexpr Transition symmetric(const Effect &effect)
    {
        return {effect, effect};
    }

    Effect m_insertion;
    Effect m_removal;
};

} // namespace velorinth
