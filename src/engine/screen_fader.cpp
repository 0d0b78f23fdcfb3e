#include "screen_fader.h"

namespace velorinth {

ScreenFader::ScreenFader(Displays &displays, QObject *parent)
    : QObject(parent)
    , m_displays(displays)
{
    connect(&m_displays, &Displays::screensChanged, this,
            &ScreenFader::scheduleRebuildForScreenChange);
}

ScreenFader::~ScreenFader()
{
    closeAll();
}

// A hot-plug arrives as several notices (added, geometry, primary); the
// rebuild runs once, on a later turn of the event loop, when they are all in.
void ScreenFader::scheduleRebuildForScreenChange()
{
    if (m_rebuildScheduled)
        return;
    m_rebuildScheduled = true;
    QMetaObject::invokeMethod(this, &ScreenFader::handleScreenConfigurationChange,
                              Qt::QueuedConnection);
}

void ScreenFader::handleScreenConfigurationChange()
{
    m_rebuildScheduled = false;
    const double darkness = m_overlayWindows.empty() ? 0.0 : m_overlayWindows.front()->alpha();
    rebuildOverlayWindows();
    if (darkness <= 0.0)
        return;
    for (const auto &window : m_overlayWindows) {
        window->setAlpha(darkness);
        window->orderFront();
    }
}

void ScreenFader::rebuildOverlayWindows()
{
    closeAll();
    const QList<QRect> frames = m_displays.screenFrames();
    for (const QRect &frame : frames)
        m_overlayWindows.push_back(m_displays.createOverlay(frame));
}

void ScreenFader::startDimming()
{
    const bool reusable = !m_overlayWindows.empty()
        && m_overlayWindows.size() == static_cast<size_t>(m_displays.screenFrames().size());
    if (!reusable)
        rebuildOverlayWindows();
    for (const auto &window : m_overlayWindows) {
        if (reusable)
            window->setAlpha(0.0);
        window->orderFront();
    }
}

void ScreenFader::setOpacity(double opacity)
{
    if (m_overlayWindows.empty() && opacity > 0.0)
        startDimming();
    for (const auto &window : m_overlayWindows) {
        window->setAlpha(opacity);
        if (opacity > 0.0)
            window->orderFront();
        else
            window->orderOut();
    }
}

void ScreenFader::stopDimming()
{
    for (const auto &window : m_overlayWindows)
        window->setAlpha(0.0);
    closeAll();
}

void ScreenFader::closeAll()
{
    for (const auto &window : m_overlayWindows)
        window->orderOut();
    for (const auto &window : m_overlayWindows)
        window->close();
    m_overlayWindows.clear();
}

} // namespace velorinth
