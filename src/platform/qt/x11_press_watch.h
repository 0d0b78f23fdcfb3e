#pragma once

#include "platform/press_watch.h"

#include <memory>

namespace velorinth {

// Presses as XInput 2 raw button events selected on the root window: they reach a client
// whoever holds the pointer, without a grab of its own. They come on an X connection of the
// watch's own, so that Qt's handling of XInput is left alone. Which windows lie under the pointer
// then tells whether a press fell in the app. Outside X it sees nothing.
class X11PressWatch final : public PressWatch
{
    Q_OBJECT

public:
    explicit X11PressWatch(QObject *parent = nullptr);
    ~X11PressWatch() override;

    Reach start() override;
    void stop() override;

private:
    struct Connection;

    void readEvents();
    [[nodiscard]] Place placeUnderPointer() const;

    std::unique_ptr<Connection> m_x; // while watching
};

} // namespace velorinth
