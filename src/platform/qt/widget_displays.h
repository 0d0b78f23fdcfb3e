#pragma once

#include "platform/displays.h"

class QScreen;

namespace velorinth {

class X11OverlayStacking;

// Screens from QGuiApplication; overlays as black top-level widgets that let every click through
// and bypass the window manager, or on GNOME Shell lie under its banners where it draws them.
class WidgetDisplays final : public Displays
{
    Q_OBJECT

public:
    explicit WidgetDisplays(QObject *parent = nullptr);
    ~WidgetDisplays() override;

    [[nodiscard]] QList<QRect> screenFrames() const override;
    [[nodiscard]] std::unique_ptr<OverlayWindow> createOverlay(const QRect &frame) override;

private:
    void watchScreen(QScreen *screen);

    // Shared with the overlays, which may outlive this object.
    std::shared_ptr<X11OverlayStacking> m_stacking;
};

} // namespace velorinth
