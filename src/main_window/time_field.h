#pragma once

#include "design/binding.h"

#include <QDateTime>
#include <QStaticText>
#include <QWidget>

#include <optional>

namespace velorinth {

// The daily time as hour and minute in the dark design: a glass field of two segments
// with stepper arrows beside it. A click or Tab picks a segment; typed digits, the Up and
// Down keys, the wheel and the arrows change it, wrapping round without carrying into the
// other. It writes only the hour and minute of the bound date: the day and the seconds
// stay as they were, and only move when that day's wall clock skips the chosen time.
class TimeField : public QWidget
{
    Q_OBJECT

public:
    enum class Segment { Hour, Minute };

    explicit TimeField(Binding<QDateTime> time, QWidget *parent = nullptr);

    [[nodiscard]] Segment selectedSegment() const { return m_segment; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    [[nodiscard]] QTime shownTime() const;
    [[nodiscard]] QRectF segmentBox(Segment segment) const;
    // Of the field: the colon's middle divides the two.
    [[nodiscard]] Segment segmentAt(qreal x) const;
    [[nodiscard]] QRectF fieldBox() const;
    [[nodiscard]] QRectF stepperBox() const;
    void select(Segment segment);
    void step(int delta);
    void type(int digit);
    void write(int hour, int minute);
    void refresh();

    Binding<QDateTime> m_time;
    Segment m_segment = Segment::Hour;
    std::optional<int> m_typed; // the first digit typed into the segment, awaiting a second
    int m_wheelDelta = 0; // an eighth of a degree at a time, until a notch's worth
    int m_pressedStep = 0; // +1 or -1 while a stepper arrow is held down
    QFont m_font;
    qreal m_digitsWidth; // of the widest two digits
    qreal m_colonWidth;
    QStaticText m_hour;
    QStaticText m_minute;
    QStaticText m_colon;
};

} // namespace velorinth
