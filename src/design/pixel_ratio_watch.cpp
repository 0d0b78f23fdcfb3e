#include "design/pixel_ratio_watch.h"

#include <QEvent>
#include <QWidget>

namespace velorinth {

void PixelRatioWatch::watch(QWidget *widget, std::function<void(qreal)> changed)
{
    new PixelRatioWatch(widget, std::move(changed));
}

PixelRatioWatch::PixelRatioWatch(QWidget *widget, std::function<void(qreal)> changed)
    : QObject(widget)
    , m_widget(widget)
    , m_changed(std::move(changed))
{
    widget->installEventFilter(this);
    follow();
}

bool PixelRatioWatch::eventFilter(QObject *watched, QEvent *event)
{
    // The only word a widget gets of a new screen before Qt 6.6.
    bool mayChange = event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    mayChange = mayChange || event->type() == QEvent::DevicePixelRatioChange;
#endif
    if (watched == m_widget && mayChange)
        follow();
    return QObject::eventFilter(watched, event);
}

void PixelRatioWatch::follow()
{
    const qreal ratio = m_widget->devicePixelRatioF();
    if (ratio == m_ratio)
        return;
    m_ratio = ratio;
    m_changed(ratio);
}

} // namespace velorinth
