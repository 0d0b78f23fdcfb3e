#include "design/confirmation_overlay.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/soft_shadow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kMaxCardWidth = 260.0;
constexpr qreal kWindowMargin = 20.0;
constexpr qreal kPadding = 18.0;
constexpr qreal kCornerRadius = 16.0;
constexpr qreal kTitleGap = 6.0;
constexpr qreal kButtonsGap = 18.0;
constexpr qreal kButtonHeight = 34.0;
constexpr qreal kButtonSpacing = 8.0;
constexpr qreal kButtonRadius = 10.0;
constexpr qreal kBackdropOpacity = 0.45;
constexpr qreal kAwayScale = 0.94;
constexpr Animation kIn = Animation::easeOut(0.2);
constexpr Animation kOut = Animation::easeIn(0.15);
constexpr qreal kFocusRingGap = 2.0; // between the button and the ring's inner edge
constexpr qreal kFocusRingWidth = 2.0;
// An opaque grey, as the error banner: the card must stay legible over any screen.
const QColor kCardFill = QColor::fromRgbF(0.1f, 0.1f, 0.11f);

const SoftShadow &cardShadow()
{
    static const SoftShadow shadow(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.5f), 16.0, {0.0, 6.0});
    return shadow;
}

QStaticText wrapped(const QString &text, const QFont &font, qreal width)
{
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setTextWidth(width);
    laidOut.setTextOption(QTextOption(Qt::AlignHCenter));
    laidOut.prepare(QTransform(), font);
    return laidOut;
}

QFont titleFont()
{
    return DesignSystem::Fonts::sans(13, QFont::DemiBold);
}
QFont messageFont()
{
    return DesignSystem::Fonts::sans(11);
}
QFont buttonFont()
{
    return DesignSystem::Fonts::sans(12, QFont::DemiBold);
}
} // namespace

// One answer as screen readers and the keyboard know it: a button named by its label, at
// the place the card paints it. The card draws it, and the overlay takes the pointer.
class ConfirmationOverlay::AnswerButton : public QAbstractButton
{
public:
    AnswerButton(const QString &label, QWidget *overlay)
        : QAbstractButton(overlay)
    {
        setText(label);
        setFocusPolicy(Qt::TabFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override { }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            click();
        else
            QAbstractButton::keyPressEvent(event);
    }

    // The ring is part of the card's picture.
    void focusInEvent(QFocusEvent *event) override
    {
        parentWidget()->update();
        QAbstractButton::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        parentWidget()->update();
        QAbstractButton::focusOutEvent(event);
    }
};

ConfirmationOverlay::ConfirmationOverlay(Question question, std::function<void()> confirm,
                                         QWidget *parent)
    : QWidget(parent)
    , m_confirm(std::move(confirm))
    , m_title(question.title)
    , m_message(question.message)
    , m_labels{QStaticText(question.confirmLabel), QStaticText(question.cancelLabel)}
    , m_answers{new AnswerButton(question.confirmLabel, this),
                new AnswerButton(question.cancelLabel, this)}
    , m_shown(AnimatedValue::repainting(0.0, this))
{
    setFocusPolicy(Qt::StrongFocus);
    // What a screen reader says as the question comes and takes the focus.
    setAccessibleName(question.title);
    setAccessibleDescription(question.message);
    for (const Answer answer : {Confirm, Cancel}) {
        AnswerButton *button = m_answers[answer];
        connect(button, &QAbstractButton::clicked, this, [this, answer] { close(answer); });
        // Held down by Space: the card shows it pressed, as under the pointer.
        connect(button, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
        connect(button, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
    }
    setMouseTracking(true);
    hide();
    connect(m_shown, &AnimatedValue::valueChanged, this, [this](double shown) {
        if (shown == 0.0 && !m_presented)
            hide();
    });
    for (QStaticText &label : m_labels)
        label.prepare(QTransform(), buttonFont());
    parent->installEventFilter(this);
    setGeometry(parent->rect());
}

void ConfirmationOverlay::present()
{
    if (!m_presented) {
        m_presented = true;
        m_hovered = m_pressed = None;
        show();
        raise();
        m_shown->animateTo(1.0, kIn);
    }
    setFocus(Qt::OtherFocusReason);
}

void ConfirmationOverlay::cancel()
{
    close(Cancel);
}

void ConfirmationOverlay::close(Answer answer)
{
    if (!m_presented)
        return;
    m_presented = false;
    if (QWidget *focused = QApplication::focusWidget(); focused == this || isAncestorOf(focused))
        focused->clearFocus();
    m_shown->animateTo(0.0, kOut);
    if (answer == Confirm && m_confirm)
        m_confirm();
    Q_EMIT closed();
}

bool ConfirmationOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

bool ConfirmationOverlay::focusNextPrevChild(bool next)
{
    // Tab stays within the question, going round its two answers.
    const Answer focused = focusedAnswer();
    Answer answer = next ? Confirm : Cancel;
    if (focused != None)
        answer = focused == Confirm ? Cancel : Confirm;
    m_answers[answer]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool ConfirmationOverlay::hasFocusedAnswer() const
{
    return focusedAnswer() != None;
}

ConfirmationOverlay::Answer ConfirmationOverlay::focusedAnswer() const
{
    for (const Answer answer : {Confirm, Cancel}) {
        if (m_answers[answer]->hasFocus())
            return answer;
    }
    return None;
}

ConfirmationOverlay::Answer ConfirmationOverlay::pressedAnswer() const
{
    if (m_pressed != None)
        return m_pressed;
    for (const Answer answer : {Confirm, Cancel}) {
        if (m_answers[answer]->isDown())
            return answer;
    }
    return None;
}

void ConfirmationOverlay::resizeEvent(QResizeEvent *)
{
    layOut();
}

void ConfirmationOverlay::layOut()
{
    const qreal width = std::min(kMaxCardWidth, this->width() - 2 * kWindowMargin);
    const qreal inner = width - 2 * kPadding;
    m_title = wrapped(m_title.text(), titleFont(), inner);
    m_message = wrapped(m_message.text(), messageFont(), inner);
    const qreal height = kPadding + m_title.size().height() + kTitleGap + m_message.size().height()
        + kButtonsGap + 2 * kButtonHeight + kButtonSpacing + kPadding;
    m_card = QRectF((this->width() - width) / 2, (this->height() - height) / 2, width, height);
    const qreal buttonsTop = m_card.bottom() - kPadding - 2 * kButtonHeight - kButtonSpacing;
    m_buttons[Confirm] = QRectF(m_card.left() + kPadding, buttonsTop, inner, kButtonHeight);
    m_buttons[Cancel] = m_buttons[Confirm].translated(0, kButtonHeight + kButtonSpacing);
    for (const Answer answer : {Confirm, Cancel})
        m_answers[answer]->setGeometry(m_buttons[answer].toAlignedRect());
}

ConfirmationOverlay::Answer ConfirmationOverlay::answerAt(QPointF position) const
{
    for (const Answer answer : {Confirm, Cancel}) {
        if (m_buttons[answer].contains(position))
            return answer;
    }
    return None;
}

void ConfirmationOverlay::setHovered(Answer answer)
{
    if (answer == m_hovered)
        return;
    m_hovered = answer;
    update(m_card.toAlignedRect());
}

void ConfirmationOverlay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        cancel();
    // Nothing below may act on a key while the question is up.
    event->accept();
}

void ConfirmationOverlay::mousePressEvent(QMouseEvent *event)
{
    m_pressed = m_presented ? answerAt(event->position()) : None;
    update(m_card.toAlignedRect());
    event->accept();
}

void ConfirmationOverlay::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(answerAt(event->position()));
}

void ConfirmationOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    const Answer pressed = std::exchange(m_pressed, None);
    update(m_card.toAlignedRect());
    if (pressed != None && answerAt(event->position()) == pressed)
        close(pressed);
}

void ConfirmationOverlay::paintEvent(QPaintEvent *)
{
    const qreal shown = m_shown->value();
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, kBackdropOpacity * shown));
    if (shown <= 0.0)
        return;
    painter.setOpacity(shown);
    const qreal scale = kAwayScale + (1.0 - kAwayScale) * shown;
    if (scale != 1.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(m_card.center());
        painter.scale(scale, scale);
        painter.translate(-m_card.center());
    }
    m_cardPicture.paint(painter, m_card.marginsAdded(cardShadow().reach()).toAlignedRect(),
                        {double(m_hovered), double(pressedAnswer()), double(focusedAnswer())},
                        [this](QPainter &picture) { paintCard(picture); });
}

void ConfirmationOverlay::paintCard(QPainter &painter) const
{
    using namespace DesignSystem;
    painter.setRenderHint(QPainter::Antialiasing);
    cardShadow().paint(painter, m_card, kCornerRadius);
    const QPainterPath card = continuousRoundedRect(m_card, kCornerRadius);
    painter.fillPath(card, kCardFill);
    painter.strokePath(card, QPen(Colors::glassBorder, 0.5));

    painter.setPen(Colors::textPrimary);
    QPointF at(m_card.left() + kPadding, m_card.top() + kPadding);
    painter.setFont(titleFont());
    painter.drawStaticText(at, m_title);
    at.ry() += m_title.size().height() + kTitleGap;
    painter.setPen(Colors::textSecondary);
    painter.setFont(messageFont());
    painter.drawStaticText(at, m_message);

    painter.setFont(buttonFont());
    const Answer focused = focusedAnswer();
    const Answer pressed = pressedAnswer();
    for (const Answer answer : {Confirm, Cancel}) {
        const QRectF button = m_buttons[answer];
        const QColor tint = answer == Confirm ? Colors::applePink : Colors::textPrimary;
        const qreal fill = (answer == Confirm ? 0.14 : 0.06) + (m_hovered == answer ? 0.08 : 0.0);
        const QPainterPath shape = continuousRoundedRect(button, kButtonRadius);
        painter.fillPath(shape, withOpacity(answer == Confirm ? tint : Qt::white, fill));
        painter.strokePath(
            shape, QPen(answer == Confirm ? withOpacity(tint, 0.3) : Colors::glassBorder, 0.5));
        if (focused == answer) {
            const qreal outset = kFocusRingGap + kFocusRingWidth / 2.0;
            const QRectF ring = button.adjusted(-outset, -outset, outset, outset);
            painter.strokePath(continuousRoundedRect(ring, kButtonRadius + outset),
                               QPen(Colors::appleBlue, kFocusRingWidth));
        }
        painter.setPen(pressed == answer ? withOpacity(tint, 0.6) : tint);
        const QSizeF label = m_labels[answer].size();
        painter.drawStaticText(button.center() - QPointF(label.width(), label.height()) / 2,
                               m_labels[answer]);
    }
}

} // namespace velorinth
