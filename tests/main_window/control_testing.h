#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QObject>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace velorinth {

// A model setting as the engine publishes one: announced on every assignment, equal
// values included, and possibly refused (the LED option without its helper tool).
class FakeSetting : public QObject
{
    Q_OBJECT

public:
    [[nodiscard]] double value() const { return m_value; }
    void setValue(double value)
    {
        ++writes;
        if (accepts)
            m_value = value;
        Q_EMIT valueChanged();
    }
    [[nodiscard]] bool isOn() const { return m_value != 0.0; }
    void setOn(bool on) { setValue(on ? 1.0 : 0.0); }

    bool accepts = true;
    int writes = 0;

Q_SIGNALS:
    void valueChanged();

private:
    double m_value = 0.0;
};

// A control that counts its paint events, to prove that an unchanged value costs nothing.
template<typename Control>
class PaintCounter : public Control
{
public:
    using Control::Control;

    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        Control::paintEvent(event);
    }
};

// A button that also counts how often it draws its look, to prove that a repaint from the
// ground below copies its picture.
template<typename Button>
class LookCounter : public PaintCounter<Button>
{
public:
    using PaintCounter<Button>::PaintCounter;

    mutable int looks = 0;

protected:
    void paintLook(QPainter &painter) const override
    {
        ++looks;
        Button::paintLook(painter);
    }
};

// Delivers a mouse event straight to the widget, without moving the real pointer.
inline void sendMouse(QWidget *widget, QEvent::Type type, QPointF position,
                      Qt::MouseButtons buttons = Qt::LeftButton)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Grabs show the control on black, as in the window, not on the light default palette.
inline void putOnBlack(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
}

inline void click(QWidget *widget, QPointF position)
{
    sendMouse(widget, QEvent::MouseButtonPress, position);
    sendMouse(widget, QEvent::MouseButtonRelease, position, Qt::NoButton);
}

} // namespace velorinth
