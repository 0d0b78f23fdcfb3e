#pragma once

#include "design/paint_cache.h"

#include <QStaticText>
#include <QWidget>

#include <array>
#include <functional>

namespace velorinth {

class AnimatedValue;

// A question put over a whole window: the window dims and a dark card asks it, with a
// destructive answer above a cancel. The card and its buttons are one picture, drawn at
// rest and faded and grown as a whole, so they come in together and their text is not
// shaped anew at every frame; clicks never reach what lies below. Each answer is also a
// real button, painted by the card, for screen readers and the keyboard: Tab goes from
// one to the other, Space or Return presses the one with the focus ring, Escape cancels.
// No answer has the focus when the question comes, so a key pressed once too often
// answers nothing.
class ConfirmationOverlay : public QWidget
{
    Q_OBJECT

public:
    struct Question
    {
        QString title;
        QString message;
        QString confirmLabel; // destructive
        QString cancelLabel;
    };

    // Hidden until present(); covers its parent whole and follows its size.
    ConfirmationOverlay(Question question, std::function<void()> confirm, QWidget *parent);

    // Shows it over everything else of the parent, or keeps it up if it already is.
    void present();
    // Closes without confirming.
    void cancel();
    [[nodiscard]] bool isPresented() const { return m_presented; }
    // An answer holds the keyboard focus: Space and Return press it.
    [[nodiscard]] bool hasFocusedAnswer() const;
    [[nodiscard]] QString message() const { return m_message.text(); }
    // Where each answer's button sits, for a pointer to find it.
    [[nodiscard]] QRect confirmButtonRect() const { return m_buttons[Confirm].toRect(); }
    [[nodiscard]] QRect cancelButtonRect() const { return m_buttons[Cancel].toRect(); }

Q_SIGNALS:
    // Answered either way, or cancelled.
    void closed();

protected:
    // The card at rest, fully shown: what the picture holds.
    virtual void paintCard(QPainter &painter) const;

    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum Answer { Confirm, Cancel, None };
    class AnswerButton;

    void layOut();
    void close(Answer answer);
    [[nodiscard]] Answer answerAt(QPointF position) const;
    [[nodiscard]] Answer focusedAnswer() const;
    // By the pointer or held down by a key.
    [[nodiscard]] Answer pressedAnswer() const;
    void setHovered(Answer answer);

    std::function<void()> m_confirm;
    QStaticText m_title;
    QStaticText m_message;
    std::array<QStaticText, 2> m_labels;
    QRectF m_card;
    std::array<QRectF, 2> m_buttons;
    std::array<AnswerButton *, 2> m_answers;
    Answer m_hovered = None;
    Answer m_pressed = None;
    bool m_presented = false;
    AnimatedValue *m_shown; // 0 gone, 1 up
    // The ground below keeps repainting the overlay while the question is up, and the
    // fade repaints it every frame.
    PaintCache m_cardPicture;
};

} // namespace velorinth
