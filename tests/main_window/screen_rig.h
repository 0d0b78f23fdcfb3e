#pragma once

#include "design/design_system.h"
#include "engine/sleep_manager_rig.h"

#include <QTest>
#include <QWidget>

#include <memory>

namespace velorinth {

// A screen over a SleepManager on fakes, shown at the content column's width on the
// window's dark ground.
template<typename Screen>
struct ScreenRig
{
    static constexpr QSize kSize{320, 410}; // the column between header and main button

    explicit ScreenRig(const QVariantMap &stored = {})
        : engine(QStringLiteral("2026-01-10T21:00:00"), stored)
        , screen(std::make_unique<Screen>(*engine.manager))
    {
        QPalette palette = screen->palette();
        palette.setColor(QPalette::Window, DesignSystem::Colors::deepBlack);
        screen->setPalette(palette);
        screen->resize(kSize);
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

    // A session of `seconds`, `elapsed` of them gone.
    void run(double seconds, double elapsed = 0)
    {
        engine.manager->setSessionDuration(seconds);
        engine.manager->startTimer();
        engine.advance(elapsed);
    }

    SleepManagerRig engine;
    std::unique_ptr<Screen> screen; // gone before the manager
};

} // namespace velorinth
