#pragma once

#include "platform/displays.h"

#include <QStringList>

namespace velorinth {

// Screens a test sets by hand, and overlays that log what is done to them
// ("create 0", "alpha 0 0.5", "front 0", "out 0", "close 0") in one shared log.
class FakeDisplays final : public Displays
{
    Q_OBJECT

public:
    void setScreens(const QList<QRect> &frames) // announces the change like a real hot-plug
    {
        m_frames = frames;
        Q_EMIT screensChanged();
    }

    [[nodiscard]] QList<QRect> screenFrames() const override { return m_frames; }
    [[nodiscard]] std::unique_ptr<OverlayWindow> createOverlay(const QRect &frame) override;

    struct OverlayState
    {
        QRect frame;
        double alpha = 0.0;
        bool visible = false;
        bool closed = false;
    };
    // Every overlay ever created, in creation order, including closed ones.
    QList<OverlayState> overlays;
    QStringList log;

    [[nodiscard]] QList<OverlayState> openOverlays() const;

private:
    QList<QRect> m_frames{QRect(0, 0, 1280, 800)};
};

} // namespace velorinth
