#pragma once

#include "platform/console.h"
#include "platform/notifier.h"
#include "platform/press_watch.h"
#include "platform/privileged_shell.h"
#include "platform/sleep_command.h"
#include "platform/terminal_launcher.h"
#include "platform/volume_control.h"

#include <QList>
#include <QStringList>

#include <optional>

// Small recording stand-ins for the operating-system services.
namespace velorinth {

class FakeVolumeControl final : public VolumeControl
{
public:
    [[nodiscard]] std::optional<int> readPercent() override
    {
        ++reads;
        return readable;
    }
    [[nodiscard]] int maxPercent() const override { return 153; } // PulseAudio's boost
    [[nodiscard]] std::optional<QString> setPercent(int percent) override
    {
        writes.append(percent);
        if (!setFailure)
            readable = percent;
        return setFailure;
    }

    std::optional<int> readable = 100;
    std::optional<QString> setFailure;
    QList<int> writes;
    int reads = 0;
};

class FakeSleepCommand final : public SleepCommand
{
public:
    void suspend(QObject *, std::function<void(const QString &)> onFailure) override
    {
        ++calls;
        if (failure)
            onFailure(*failure);
    }

    int calls = 0;
    std::optional<QString> failure;
};

class FakeNotifier final : public Notifier
{
public:
    void requestAuthorization(QObject *, std::function<void(const QString &)> onError) override
    {
        ++authorizationRequests;
        if (authorizationError)
            onError(*authorizationError);
    }
    void add(const NotificationRequest &request) override { pending = request; }
    void removeAllPending() override { pending.reset(); }

    std::optional<QString> authorizationError;
    std::optional<NotificationRequest> pending;
    int authorizationRequests = 0;
};

class FakeConsole final : public Console
{
public:
    void printLine(const QString &line) override { lines.append(line); }

    QStringList lines;
};

class FakePrivilegedShell final : public PrivilegedShell
{
public:
    void run(const QString &shellText, QObject *,
             std::function<void(const std::optional<QString> &)> done) override
    {
        commands.append(shellText);
        done(failure);
    }

    QStringList commands;
    std::optional<QString> failure;
};

class FakeTerminalLauncher final : public TerminalLauncher
{
public:
    [[nodiscard]] std::optional<QString> openScript(const QString &scriptPath) override
    {
        opened.append(scriptPath);
        return failure;
    }

    QStringList opened; // written off the UI thread; read it after the work is done
    std::optional<QString> failure;
};

// Presses come when a test emits pressed() and released().
class FakePressWatch final : public PressWatch
{
public:
    Reach start() override
    {
        watching = reach != Reach::Nowhere;
        return reach;
    }
    void stop() override { watching = false; }

    Reach reach = Reach::Everywhere;
    bool watching = false;
};

} // namespace velorinth
