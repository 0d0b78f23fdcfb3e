#include "fake_displays.h"

namespace velorinth {

namespace {

class FakeOverlay final : public OverlayWindow
{
public:
    FakeOverlay(FakeDisplays &displays, qsizetype index)
        : m_displays(displays)
        , m_index(index)
    {
    }

    void setAlpha(double alpha) override
    {
        state().alpha = alpha;
        record(QStringLiteral("alpha %1 %2").arg(m_index).arg(alpha));
    }
    [[nodiscard]] double alpha() const override { return m_displays.overlays.at(m_index).alpha; }
    void orderFront() override
    {
        state().visible = true;
        record(QStringLiteral("front %1").arg(m_index));
    }
    void orderOut() override
    {
        state().visible = false;
        record(QStringLiteral("out %1").arg(m_index));
    }
    void close() override
    {
        state().visible = false;
        state().closed = true;
        record(QStringLiteral("close %1").arg(m_index));
    }

private:
    FakeDisplays::OverlayState &state() { return m_displays.overlays[m_index]; }
    void record(const QString &entry) { m_displays.log.append(entry); }

    FakeDisplays &m_displays;
    qsizetype m_index;
};

} // namespace

std::unique_ptr<OverlayWindow> FakeDisplays::createOverlay(const QRect &frame)
{
    overlays.append({frame, 0.0, false, false});
    log.append(QStringLiteral("create %1").arg(overlays.size() - 1));
    return std::make_unique<FakeOverlay>(*this, overlays.size() - 1);
}

QList<FakeDisplays::OverlayState> FakeDisplays::openOverlays() const
{
    QList<OverlayState> open;
    for (const OverlayState &overlay : overlays) {
        if (!overlay.closed)
            open.append(overlay);
    }
    return open;
}

} // namespace velorinth
