#pragma once

#include "app/velorinth_app.h"
#include "support/fake_platform.h"

#include <QAbstractButton>

#include <algorithm>
#include <chrono>
#include <memory>

namespace velorinth {

// The whole app over fake services, its clock at a summer evening; or over the desktop's
// presses, when given a watch of them.
struct AppRig
{
    explicit AppRig(const QString &battPath = {}, std::unique_ptr<PressWatch> presses = {})
        : fakes(QDateTime(QDate(2026, 6, 10), QTime(22, 0)))
    {
        if (!battPath.isEmpty())
            fakes.platform.paths.batt = battPath;
        if (presses) {
            fakes.platform.presses = std::move(presses);
            fakes.presses = nullptr;
        }
        app = std::make_unique<VelorinthApp>(std::move(fakes.platform));
    }

    void advance(double seconds)
    {
        fakes.clock->advance(std::chrono::milliseconds(qRound64(seconds * 1000)));
    }

    FakePlatform fakes;
    std::unique_ptr<VelorinthApp> app;
};

// The panel's button of that tooltip; none when the panel has none.
inline QAbstractButton *panelButton(const QWidget &panel, const QString &toolTip)
{
    const QList<QAbstractButton *> buttons = panel.findChildren<QAbstractButton *>();
    const auto found = std::find_if(buttons.begin(), buttons.end(), [&](QAbstractButton *button) {
        return button->toolTip() == toolTip;
    });
    return found != buttons.end() ? *found : nullptr;
}

// The panel's button that brings the main window back.
inline QAbstractButton *openWindowButton(const QWidget &panel)
{
    return panelButton(panel, QStringLiteral("Ouvrir Velorinth"));
}

} // namespace velorinth
