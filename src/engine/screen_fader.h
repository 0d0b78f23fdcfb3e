#pragma once

#include "platform/displays.h"

#include <QObject>

#include <memory>
#include <vector>

namespace velorinth {

// Darkens every screen with one black overlay per screen, all at the same
// opacity. It follows screens being added, removed or resized by itself and
// keeps the current darkness across such a change.
class ScreenFader final : public QObject
{
    Q_OBJECT

public:
    explicit ScreenFader(Displays &displays, QObject *parent = nullptr);
    ~ScreenFader() override;

    // Makes sure there is one overlay per screen, in front and transparent.
    void startDimming();
    // 0 is clear, 1 black; above 0 the overlays are shown, otherwise hidden
    // but kept for reuse. The caller keeps the value within 0…1.
    void setOpacity(double opacity);
    // Hides, closes and forgets every overlay.
    void stopDimming();

private:
    void scheduleRebuildForScreenChange();
    void handleScreenConfigurationChange();
    void rebuildOverlayWindows();
    void closeAll();

    Displays &m_displays;
    std::vector<std::unique_ptr<OverlayWindow>> m_overlayWindows;
    bool m_rebuildScheduled = false;
};

} // namespace velorinth
