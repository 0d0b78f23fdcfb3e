#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace velorinth {

// Tells a widget's owner the device pixel ratio the widget shows at: at once, and
// whenever it may have changed (shown, moved to another screen). What depends on the
// ratio (how small a step shows) follows it here rather than in paintEvent, where a grab
// at another ratio would move it too.
class PixelRatioWatch : public QObject
{
    Q_OBJECT

public:
    // Calls changed with widget's ratio now and at each change, for as long as it lives.
    static void watch(QWidget *widget, std::function<void(qreal ratio)> changed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PixelRatioWatch(QWidget *widget, std::function<void(qreal)> changed);
    void follow();

    QWidget *m_widget; // also the parent
    std::function<void(qreal)> m_changed;
    qreal m_ratio = 0.0;
};

} // namespace velorinth
