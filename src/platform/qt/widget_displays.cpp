#include "widget_displays.h"

#include "x11_overlay_stacking.h"
#include "x11_requests.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace velorinth {

namespace {

class WidgetOverlay final : public OverlayWindow
{
public:
    WidgetOverlay(const QRect &frame, std::shared_ptr<X11OverlayStacking> stacking)
        : m_stacking(std::move(stacking))
    {
        m_widget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                                 | Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput
                                 | Qt::WindowDoesNotAcceptFocus | Qt::Tool);
        m_widget->setAttribute(Qt::WA_ShowWithoutActivating);
        m_widget->setWindowRole(QStringLiteral("dimming"));
        m_widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_widget->setAutoFillBackground(true);
        QPalette palette = m_widget->palette();
        palette.setColor(QPalette::Window, Qt::black);
        m_widget->setPalette(palette);
        m_widget->setGeometry(frame);
        m_widget->setWindowOpacity(0.0);
    }

    ~WidgetOverlay() override
    {
        m_stacking->release(window());
        delete m_widget.data();
    }

    void setAlpha(double alpha) override
    {
        m_alpha = alpha;
        m_widget->setWindowOpacity(alpha);
        X11Requests::flush();
    }

    [[nodiscard]] double alpha() const override { return m_alpha; }

    // Called once a second while dimming. A shown overlay is kept in its place by the
    // stacking, or without it raised only if something has come over it.
    void orderFront() override
    {
        if (m_widget->isVisible()
            && (m_stacking->keeps(window()) || X11Requests::raiseWhenCovered(window())))
            return;
        m_widget->show();
        m_widget->raise();
        // Showing again after a close from outside sets the window's event mask anew;
        // the opacity written every tick must not come back to us as an event.
        X11Requests::ignorePropertyChanges(window());
        m_stacking->keep(window());
    }

    void orderOut() override
    {
        m_stacking->release(window());
        m_widget->hide();
    }

    void close() override
    {
        m_stacking->release(window());
        m_widget->close();
    }

private:
    // None before the first show, which creates the window.
    [[nodiscard]] WId window() const { return m_widget ? m_widget->internalWinId() : 0; }

    QPointer<QWidget> m_widget = new QWidget;
    std::shared_ptr<X11OverlayStacking> m_stacking;
    double m_alpha = 0.0;
};

} // namespace

WidgetDisplays::WidgetDisplays(QObject *parent)
    : Displays(parent)
    , m_stacking(std::make_shared<X11OverlayStacking>())
{
    const auto screens = QGuiApplication::screens();
    for (QScreen *screen : screens)
        watchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watchScreen(screen);
        Q_EMIT screensChanged();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &Displays::screensChanged);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &Displays::screensChanged);
}

WidgetDisplays::~WidgetDisplays() = default;

void WidgetDisplays::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &Displays::screensChanged);
}

QList<QRect> WidgetDisplays::screenFrames() const
{
    QList<QRect> frames;
    const auto screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        frames.append(screen->geometry());
    return frames;
}

std::unique_ptr<OverlayWindow> WidgetDisplays::createOverlay(const QRect &frame)
{
    return std::make_unique<WidgetOverlay>(frame, m_stacking);
}

} // namespace velorinth
