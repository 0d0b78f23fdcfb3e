#include "widget_displays.h"

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
    explicit WidgetOverlay(const QRect &frame)
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

    ~WidgetOverlay() override { delete m_widget.data(); }

    void setAlpha(double alpha) override
    {
        m_alpha = alpha;
        m_widget->setWindowOpacity(alpha);
        X11Requests::flush();
    }

    [[nodiscard]] double alpha() const override { return m_alpha; }

    // Called once a second while dimming: when already shown, the overlay is
    // raised only if something has come over it.
    void orderFront() override
    {
        if (m_widget->isVisible() && X11Requests::raiseWhenCovered(m_widget->winId()))
            return;
        m_widget->show();
        m_widget->raise();
        // Showing again after a close from outside sets the window's event mask anew;
        // the opacity written every tick must not come back to us as an event.
        X11Requests::ignorePropertyChanges(m_widget->winId());
    }

    void orderOut() override { m_widget->hide(); }
    void close() override { m_widget->close(); }

private:
    QPointer<QWidget> m_widget = new QWidget;
    double m_alpha = 0.0;
};

} // namespace

WidgetDisplays::WidgetDisplays(QObject *parent)
    : Displays(parent)
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
    return std::make_unique<WidgetOverlay>(frame);
}

} // namespace velorinth
