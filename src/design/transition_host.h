#pragma once

#include "design/animated_change.h"
#include "design/transition.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace velorinth {

class AnimatedValue;

// Holds one child view and swaps it for another with each view's own transition. While a
// swap runs, the host paints snapshots of both views (taken at the device pixel ratio),
// driven by one progress that any Animation moves, springs included; then the real view
// comes back. The host's size hint glides from the one view's to the other's, so a
// layout around it moves along.
//
// A swap back to the view on its way out reverses from where the swap stands; a third
// view freezes what is on screen and swaps from that, so nothing ever jumps. Hiding the
// host ends a swap at once.
//
// A matched element (setMatchedId) in both views is painted apart: it glides from its
// frame in the one view to its frame in the other, cross-fading, while the rest swaps.
class TransitionHost : public QWidget
{
    Q_OBJECT

public:
    explicit TransitionHost(QWidget *parent = nullptr);

    // What becomes of a view once it has left, its swap over.
    enum class OnceLeft {
        Kept, // a hidden child, ready to come back, deleted with the host
        Deleted, // a view built for one showing: the host deletes it, and nobody else may
    };

    // Shows view (nullptr: nothing) in place of the current one: the transition's
    // insertion now, its removal when the view leaves. The host adopts the view, and the
    // view's lifetime is the host's business from then on (onceLeft). Instant while the
    // host is hidden or when the animation is.
    void setView(QWidget *view, const Transition &transition = Transition::opacity(),
                 const Animation &animation = currentAnimation(),
                 OnceLeft onceLeft = OnceLeft::Kept);
    // The view shown, or on its way in.
    [[nodiscard]] QWidget *view() const;
    [[nodiscard]] bool isSwapping() const { return m_swapping; }
    // A view sits at its size hint, placed by alignment (centred unless set), and fills
    // the host along the directions its size policy expands in.
    void setAlignment(Qt::Alignment alignment);

    // Names element, a descendant of a view, as the same element as any other one of
    // that id in the view it is swapped with.
    static void setMatchedId(QWidget *element, const QString &id);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // One side of a swap: the view, how it moves, what becomes of it once it has left, and
    // what is painted of it meanwhile.
    struct Side
    {
        Side(QWidget *view = nullptr, const Transition &transition = {},
             OnceLeft onceLeft = OnceLeft::Kept)
            : view(view)
            , transition(transition)
            , onceLeft(onceLeft)
        {
        }

        QPointer<QWidget> view;
        Transition transition;
        OnceLeft onceLeft;
        QPixmap snapshot; // without its matched element
        QSize hint;
        QPixmap element;
        QRectF elementFrame; // in the snapshot
        bool isFrozen = false; // a picture of an earlier swap, not a view
    };

    [[nodiscard]] QRect placement(const QWidget *view) const;
    [[nodiscard]] QRectF frameOf(const Side &side) const;
    [[nodiscard]] QSize viewHint() const;
    [[nodiscard]] bool comingIn() const;
    void swapInstantly(Side to);
    void startSwap(Side from, Side to, const Animation &animation);
    // Stops the progress at value without a word: the swap it moved is over or replaced.
    void jumpTo(double value);
    // The sides from now on; a view on neither any more has left.
    void setSides(Side from, Side to);
    void snapshot(Side &from, Side &to) const;
    [[nodiscard]] Side frozen() const;
    void paintSwap(QPainter &painter) const;
    void progressed();
    void endSwap();
    void showCurrent();

    Qt::Alignment m_alignment = Qt::AlignCenter;
    Side m_from; // during a swap only
    Side m_to; // the current view when no swap runs
    bool m_swapping = false;
    AnimatedValue *m_progress; // 0 shows m_from, 1 shows m_to
};

} // namespace velorinth
