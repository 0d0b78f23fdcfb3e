#pragma once

#include <QPoint>
#include <QProcess>

namespace velorinth {

// Another application's window on the test display, 300 x 200 near the top left of the
// primary monitor, until it goes: a program of the desktop's (xmessage) that the test starts.
class OtherApplication
{
public:
    OtherApplication();
    ~OtherApplication();
    OtherApplication(const OtherApplication &) = delete;
    OtherApplication &operator=(const OtherApplication &) = delete;

    // False when its window never showed.
    [[nodiscard]] bool isShown() const { return m_window != 0; }
    [[nodiscard]] qulonglong window() const { return m_window; }
    // A spot inside its window, wherever a window manager put the frame.
    [[nodiscard]] static QPoint spot() { return {190, 160}; }

private:
    QProcess m_client;
    qulonglong m_window = 0;
};

} // namespace velorinth
