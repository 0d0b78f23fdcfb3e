#pragma once

#include "platform/displays.h"

class QScreen;

namespace velorinth {

// Screens from QGuiApplication; overlays as black top-level widgets that
// bypass the window manager and let every click through.
class WidgetDisplays final : public Displays
{
    Q_OBJECT

public:
    explicit WidgetDisplays(QObject *parent = nullptr);

    [[nodiscard]] QList<QRect> screenFrames() const override;
    [[nodiscard]] std::unique_ptr<OverlayWindow> createOverlay(const QRect &frame) override;

private:
    void watchScreen(QScreen *screen);
};

} // namespace velorinth
