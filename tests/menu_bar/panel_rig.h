#pragma once

#include "engine/sleep_manager_rig.h"
#include "menu_bar/menu_bar_view.h"
#include "support/animation_time.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <memory>

namespace velorinth {

// The engine over fakes, without the LED helper, and the panel as the tray opens it.
struct PanelRig
{
    explicit PanelRig(const QVariantMap &stored = {})
        : engine(QStringLiteral("2026-01-15T21:00:00"), stored, QStringLiteral("/nonexistent/batt"))
    {
    }

    [[nodiscard]] SleepManager &manager() { return *engine.manager; }

    // A session of `length` seconds with `remaining` of them still to run.
    void runSession(double length, double remaining)
    {
        manager().setSessionDuration(length);
        manager().startTimer();
        engine.advance(length - remaining);
    }

    // Shown at the size it asks for, and kept there, as the panel window does.
    [[nodiscard]] std::unique_ptr<MenuBarView> openPanel()
    {
        auto view = std::make_unique<MenuBarView>(manager(), MenuBarActions{});
        QObject::connect(view.get(), &MenuBarView::preferredSizeChanged, view.get(),
                         [v = view.get()] { v->resize(v->sizeHint()); });
        view->show();
        return view;
    }

    SleepManagerRig engine;
};

// Lets queued reactions to the model run, then puts every animation at its end.
inline void settle(QWidget *root)
{
    QCoreApplication::sendPostedEvents();
    setAnimationTimes(root, 5000);
    QCoreApplication::sendPostedEvents();
}

// The button under root showing text, or carrying it as its tooltip.
inline QAbstractButton *buttonNamed(QWidget *root, const QString &text)
{
    const auto buttons = root->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->isVisibleTo(root) && (button->text() == text || button->toolTip() == text))
            return button;
    }
    return nullptr;
}

inline void press(QWidget *root, const QString &text)
{
    QAbstractButton *button = buttonNamed(root, text);
    QVERIFY2(button, qPrintable(text));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->contentsRect().center());
}

} // namespace velorinth
