#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace velorinth {

// Makes the user's closing of a window (Alt+F4, the window manager) hide it, so the window and
// everything it shows live on and come back as they were. When nothing else leads back into the app
// (no tray), a hidden window would leave it unreachable: closing then asks to quit instead.
class WindowHideDelegate final : public QObject
{
    Q_OBJECT

public:
    WindowHideDelegate(QWidget *window, std::function<bool()> hasOtherWayIn);

Q_SIGNALS:
    void quitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<bool()> m_hasOtherWayIn;
};

} // namespace velorinth
