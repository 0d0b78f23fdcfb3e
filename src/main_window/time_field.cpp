#include "main_window/time_field.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kHeight = 28.0;
constexpr qreal kCornerRadius = 7.0;
constexpr qreal kInnerPadding = 6.0; // between the field's edge and a segment
constexpr qreal kSegmentPadding = 4.0; // between a segment's edge and its digits
constexpr qreal kSegmentInset = 4.0; // above and below a segment's highlight
constexpr qreal kSegmentRadius = 4.0;
constexpr qreal kSelectionOpacity = 0.45;
constexpr qreal kStepperGap = 4.0;
constexpr qreal kStepperWidth = 16.0;
constexpr qreal kStepperRadius = 5.0;
constexpr qreal kArrowWidth = 7.0;
constexpr qreal kArrowHeight = 4.0;
constexpr qreal kHairline = 0.5;
constexpr int kWheelNotch = 120; // eighths of a degree

// The date with its wall clock at hour:minute, the seconds kept. Where that day's clocks
// go forward over the time, the day before or after shows it, so the stored time always
// reads what the user chose.
QDateTime onWallClock(const QDateTime &date, int hour, int minute)
{
    const QDateTime local = date.toLocalTime();
    const QTime time(hour, minute, local.time().second(), local.time().msec());
    for (const int days : {0, -1, 1}) {
        const QDateTime candidate(local.date().addDays(days), time);
        if (candidate.isValid() && candidate.time() == time)
            return candidate;
    }
    return {local.date(), time};
}

QStaticText prepared(const QString &text, const QFont &font)
{
    QStaticText shape(text);
    shape.setTextFormat(Qt::PlainText);
    shape.prepare(QTransform(), font);
    return shape;
}

void paintCentred(QPainter &painter, const QStaticText &text, const QRectF &box)
{
    const QSizeF size = text.size();
    painter.drawStaticText(box.center() - QPointF(size.width(), size.height()) / 2.0, text);
}

QPainterPath arrow(QPointF centre, qreal direction) // -1 points up, 1 down
{
    QPainterPath path;
    path.moveTo(centre.x() - kArrowWidth / 2, centre.y() - direction * kArrowHeight / 2);
    path.lineTo(centre.x() + kArrowWidth / 2, centre.y() - direction * kArrowHeight / 2);
    path.lineTo(centre.x(), centre.y() + direction * kArrowHeight / 2);
    path.closeSubpath();
    return path;
}
} // namespace

TimeField::TimeField(Binding<QDateTime> time, QWidget *parent)
    : QWidget(parent)
    , m_time(std::move(time))
    , m_font(DesignSystem::Fonts::sans(15, QFont::Medium))
{
    const QFontMetricsF metrics(m_font);
    qreal widest = 0.0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
    m_digitsWidth = 2 * widest;
    m_colonWidth = metrics.horizontalAdvance(QLatin1Char(':'));
    m_colon = prepared(QStringLiteral(":"), m_font);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    m_time.onChange(this, [this] { refresh(); });
    refresh();
}

QSize TimeField::sizeHint() const
{
    return QSizeF(stepperBox().right(), kHeight).toSize();
}

QTime TimeField::shownTime() const
{
    return m_time.get().toLocalTime().time();
}

QRectF TimeField::segmentBox(Segment segment) const
{
    const qreal width = m_digitsWidth + 2 * kSegmentPadding;
    const qreal left =
        segment == Segment::Hour ? kInnerPadding : kInnerPadding + width + m_colonWidth;
    return {left, kSegmentInset, width, kHeight - 2 * kSegmentInset};
}

TimeField::Segment TimeField::segmentAt(qreal x) const
{
    return x < segmentBox(Segment::Hour).right() + m_colonWidth / 2 ? Segment::Hour
                                                                    : Segment::Minute;
}

QRectF TimeField::fieldBox() const
{
    return {0.0, 0.0, segmentBox(Segment::Minute).right() + kInnerPadding, kHeight};
}

QRectF TimeField::stepperBox() const
{
    return {fieldBox().right() + kStepperGap, 0.0, kStepperWidth, kHeight};
}

void TimeField::paintEvent(QPaintEvent *)
{
    namespace Colors = DesignSystem::Colors;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen hairline(Colors::glassBorder, kHairline);
    const qreal inset = kHairline / 2; // keeps the hairline inside the widget
    const QRectF field = fieldBox().adjusted(inset, inset, -inset, -inset);
    painter.fillPath(continuousRoundedRect(field, kCornerRadius), Colors::glassBackground);
    painter.strokePath(continuousRoundedRect(field, kCornerRadius), hairline);
    if (hasFocus()) {
        painter.fillPath(continuousRoundedRect(segmentBox(m_segment), kSegmentRadius),
                         withOpacity(Colors::appleBlue, kSelectionOpacity));
    }
    painter.setPen(Colors::textPrimary);
    paintCentred(painter, m_hour, segmentBox(Segment::Hour));
    paintCentred(painter, m_minute, segmentBox(Segment::Minute));
    const QRectF hour = segmentBox(Segment::Hour);
    paintCentred(painter, m_colon, {hour.right(), 0.0, m_colonWidth, kHeight});

    const QRectF stepper = stepperBox().adjusted(inset, inset, -inset, -inset);
    const QPainterPath outline = continuousRoundedRect(stepper, kStepperRadius);
    painter.fillPath(outline, Colors::glassBackground);
    if (m_pressedStep != 0) {
        const QRectF half(stepper.left(), m_pressedStep > 0 ? stepper.top() : stepper.center().y(),
                          stepper.width(), stepper.height() / 2);
        QPainterPath pressed;
        pressed.addRect(half);
        painter.fillPath(outline.intersected(pressed), Colors::glassSelection);
    }
    painter.strokePath(outline, hairline);
    painter.setPen(hairline);
    painter.drawLine(QPointF(stepper.left() + 3, stepper.center().y()),
                     QPointF(stepper.right() - 3, stepper.center().y()));
    const qreal quarter = stepper.height() / 4;
    painter.fillPath(arrow({stepper.center().x(), stepper.top() + quarter + 0.5}, -1.0),
                     Colors::textSecondary);
    painter.fillPath(arrow({stepper.center().x(), stepper.bottom() - quarter - 0.5}, 1.0),
                     Colors::textSecondary);
}

void TimeField::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
    } else if (stepperBox().contains(at)) {
        m_pressedStep = at.y() < stepperBox().center().y() ? 1 : -1;
        step(m_pressedStep);
    } else if (fieldBox().contains(at)) {
        select(segmentAt(at.x()));
    }
}

void TimeField::mouseReleaseEvent(QMouseEvent *)
{
    m_pressedStep = 0;
    update();
}

void TimeField::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        step(key == Qt::Key_Up ? 1 : -1);
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        type(key - Qt::Key_0);
    else
        QWidget::keyPressEvent(event);
}

void TimeField::wheelEvent(QWheelEvent *event)
{
    const QPointF at = event->position();
    if (fieldBox().contains(at) && segmentAt(at.x()) != m_segment)
        select(segmentAt(at.x()));
    m_wheelDelta += event->angleDelta().y();
    const int notches = m_wheelDelta / kWheelNotch;
    m_wheelDelta -= notches * kWheelNotch;
    if (notches != 0)
        step(notches);
    event->accept();
}

void TimeField::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason)
        select(Segment::Hour);
    else if (event->reason() == Qt::BacktabFocusReason)
        select(Segment::Minute);
    QWidget::focusInEvent(event);
}

void TimeField::focusOutEvent(QFocusEvent *event)
{
    m_typed.reset();
    QWidget::focusOutEvent(event);
}

bool TimeField::focusNextPrevChild(bool next)
{
    const Segment from = next ? Segment::Hour : Segment::Minute;
    if (hasFocus() && m_segment == from) {
        select(next ? Segment::Minute : Segment::Hour);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TimeField::select(Segment segment)
{
    m_segment = segment;
    m_typed.reset();
    m_wheelDelta = 0;
    update();
}

void TimeField::step(int delta)
{
    m_typed.reset();
    const QTime time = shownTime();
    const auto wrapped = [delta](int value, int count) {
        return ((value + delta) % count + count) % count;
    };
    if (m_segment == Segment::Hour)
        write(wrapped(time.hour(), 24), time.minute());
    else
        write(time.hour(), wrapped(time.minute(), 60));
}

void TimeField::type(int digit)
{
    const int limit = m_segment == Segment::Hour ? 23 : 59;
    const bool secondDigit = m_typed && *m_typed * 10 + digit <= limit;
    const int value = secondDigit ? *m_typed * 10 + digit : digit;
    // Two digits fill a segment, and so does one that no second digit could follow.
    const bool filled = secondDigit || digit * 10 > limit;
    m_typed = filled ? std::nullopt : std::optional(digit);
    const QTime time = shownTime();
    if (m_segment == Segment::Hour)
        write(value, time.minute());
    else
        write(time.hour(), value);
    if (filled && m_segment == Segment::Hour)
        select(Segment::Minute);
}

void TimeField::write(int hour, int minute)
{
    m_time.set(onWallClock(m_time.get(), hour, minute));
    refresh(); // also when the binding announces nothing
}

void TimeField::refresh()
{
    const QTime time = shownTime();
    m_hour = prepared(QStringLiteral("%1").arg(time.hour(), 2, 10, QLatin1Char('0')), m_font);
    m_minute = prepared(QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0')), m_font);
    update();
}

} // namespace velorinth
