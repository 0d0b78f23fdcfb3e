#pragma once

#include "design/animation.h"

#include <QAbstractAnimation>

#include <functional>
#include <vector>

namespace velorinth {

// Delayed steps that run once each, in order, at their delays after start(), each as one
// animated change. It runs on Qt's animation clock, so a test moves it with
// setCurrentTime() instead of waiting. Nothing cancels it but its own destruction: given
// to an owner, it goes with it; handed to the application, it outlives the view that
// started it, whose widgets its steps then guard with QPointer.
class Timeline : public QAbstractAnimation
{
    Q_OBJECT

public:
    struct Step
    {
        double delay; // seconds after the start
        Animation animation; // the animated change the step runs in
        std::function<void()> change;
    };

    explicit Timeline(std::vector<Step> steps, QObject *parent = nullptr);

    // Starts steps on a timeline that `owner` (without one, the application) holds and that
    // deletes itself once the last step has run. Steps at delay 0 run before this returns.
    static Timeline *play(std::vector<Step> steps, QObject *owner = nullptr);

    [[nodiscard]] int duration() const override;

protected:
    void updateCurrentTime(int currentTime) override;

private:
    std::vector<Step> m_steps;
    size_t m_next = 0; // the first step that has not run
};

} // namespace velorinth
