#include "widget_displays.h"

#include "overlay_part.h"
#include "screen_pixels.h"
#include "x11_overlay_stacking.h"
#include "x11_requests.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace velorinth {

namespace {

// One black window per part, all at the same opacity.
class WidgetOverlay final : public OverlayWindow
{
public:
    WidgetOverlay(const QList<OverlayPart> &parts, std::shared_ptr<X11OverlayStacking> stacking)
        : m_stacking(std::move(stacking))
    {
        for (const OverlayPart &part : parts)
            m_parts.append({makeWindow(part), part.managed});
    }

    ~WidgetOverlay() override
    {
        for (const Part &part : std::as_const(m_parts)) {
            m_stacking->release(window(part));
            delete part.widget.data();
        }
    }

    void setAlpha(double alpha) override
    {
        m_alpha = alpha;
        for (const Part &part : std::as_const(m_parts))
            part.widget->setWindowOpacity(alpha);
        X11Requests::flush();
    }

    [[nodiscard]] double alpha() const override { return m_alpha; }

    // Called once a second while dimming.
    void orderFront() override
    {
        for (const Part &part : std::as_const(m_parts)) {
            if (part.managed)
                showManaged(part);
            else
                showAboveAll(part);
        }
    }

    void orderOut() override
    {
        for (const Part &part : std::as_const(m_parts)) {
            m_stacking->release(window(part));
            part.widget->hide();
        }
    }

    void close() override
    {
        for (const Part &part : std::as_const(m_parts)) {
            m_stacking->release(window(part));
            part.widget->close();
        }
    }

private:
    struct Part
    {
        QPointer<QWidget> widget;
        bool managed = false;
    };

    static QWidget *makeWindow(const OverlayPart &part)
    {
        auto *widget = new QWidget;
        // A tool window: no task bar entry, no place in the window switcher or the overview.
        Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus | Qt::Tool;
        if (!part.managed)
            flags |= Qt::X11BypassWindowManagerHint;
        widget->setWindowFlags(flags);
        widget->setAttribute(Qt::WA_ShowWithoutActivating);
        widget->setWindowRole(QStringLiteral("dimming"));
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget->setAutoFillBackground(true);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, Qt::black);
        widget->setPalette(palette);
        widget->setGeometry(part.frame);
        widget->setWindowOpacity(0.0);
        if (part.managed)
            X11Requests::showOnEveryWorkspace(widget->winId());
        return widget;
    }

    // None until the window is made: at the first show, or at once for a managed one.
    [[nodiscard]] static WId window(const Part &part)
    {
        return part.widget ? part.widget->internalWinId() : 0;
    }

    // Kept in its place by the stacking, or without it raised only if something has come over it.
    void showAboveAll(const Part &part)
    {
        if (part.widget->isVisible()
            && (m_stacking->keeps(window(part)) || X11Requests::raiseWhenCovered(window(part))))
            return;
        part.widget->show();
        part.widget->raise();
        ignoreOwnOpacity(part);
        m_stacking->keep(window(part));
    }

    // The window manager keeps it above the applications' windows. It is never raised: a raise
    // asked by an application without the focus would only mark the window as wanting attention.
    static void showManaged(const Part &part)
    {
        if (part.widget->isVisible())
            return;
        part.widget->show();
        ignoreOwnOpacity(part);
    }

    // Showing again after a close from outside sets the window's event mask anew; the opacity
    // written every tick must not come back to us as an event.
    static void ignoreOwnOpacity(const Part &part)
    {
        X11Requests::ignorePropertyChanges(window(part));
    }

    QList<Part> m_parts;
    std::shared_ptr<X11OverlayStacking> m_stacking;
    double m_alpha = 0.0;
};

// Where GNOME Shell leaves `frame`'s screen to windows, in Qt's coordinates; none under any other
// window manager, and outside X.
std::optional<QRect> gnomeShellWorkArea(const QRect &frame)
{
    if (X11Requests::windowManagerName() != QLatin1String("GNOME Shell"))
        return std::nullopt;
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    return ScreenPixels::workAreas(X11Requests::desktopBars(), frame, ratio).value(0, frame);
}

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
    return std::make_unique<WidgetOverlay>(OverlayPart::forScreen(frame, gnomeShellWorkArea(frame)),
                                           m_stacking);
}

} // namespace velorinth
