#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace velorinth {

// Makes the user's closing of a window (Alt+F4, the window manager) hide it, so the window and
// everything it shows live on and come back as they were. When the app has no reason to live on
// hidden (nothing leads back into it and nothing it runs would be lost), closing asks to quit.
class WindowHideDelegate final : public QObject
{
    Q_OBJECT

public:
    WindowHideDelegate(QWidget *window, std::function<bool()> mayLiveOnHidden);

Q_SIGNALS:
    void quitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<bool()> m_mayLiveOnHidden;
};

} // namespace velorinth
