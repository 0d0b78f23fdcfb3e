#pragma once

#include <QList>
#include <QObject>
#include <QRect>

#include <memory>

namespace velorinth {

// A black, borderless, click-through window above everything else on one
// screen. It starts hidden and fully transparent.
class OverlayWindow
{
public:
    virtual ~OverlayWindow() = default;

    virtual void setAlpha(double alpha) = 0;
    [[nodiscard]] virtual double alpha() const = 0;
    virtual void orderFront() = 0; // shown above all windows, without taking focus
    virtual void orderOut() = 0; // hidden, kept for reuse
    virtual void close() = 0;
};

// The screens of the desktop and the overlays laid over them.
class Displays : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whole-screen rectangles in global coordinates, primary first.
    [[nodiscard]] virtual QList<QRect> screenFrames() const = 0;
    [[nodiscard]] virtual std::unique_ptr<OverlayWindow> createOverlay(const QRect &frame) = 0;

Q_SIGNALS:
    // A screen was added or removed, or one changed its geometry.
    void screensChanged();
};

} // namespace velorinth
