#pragma once

#include "app/velorinth_app.h"
#include "support/fake_platform.h"

#include <QAbstractButton>

#include <algorithm>
#include <chrono>
#include <memory>

namespace velorinth {

// The whole app over fake services, its clock at a summer evening.
struct AppRig
{
    explicit AppRig(const QString &battPath = {})
        : fakes(QDateTime(QDate(2026, 6, 10), QTime(22, 0)))
    {
        if (!battPath.isEmpty())
            fakes.platform.paths.batt = battPath;
        app = std::make_unique<VelorinthApp>(std::move(fakes.platform));
    }

    void advance(double seconds)
    {
        fakes.clock->advance(std::chrono::milliseconds(qRound64(seconds * 1000)));
    }

    FakePlatform fakes;
    std::unique_ptr<VelorinthApp> app;
};

// The panel's button that brings the main window back; none when the panel has none.
inline QAbstractButton *openWindowButton(const QWidget &panel)
{
    const QList<QAbstractButton *> buttons = panel.findChildren<QAbstractButton *>();
    const auto open = std::find_if(buttons.begin(), buttons.end(), [](QAbstractButton *button) {
        return button->toolTip() == QStringLiteral("Ouvrir Velorinth");
    });
    return open != buttons.end() ? *open : nullptr;
}

} // namespace velorinth
