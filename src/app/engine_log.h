#pragma once

#include <QObject>
#include <QString>

namespace velorinth {

class Console;
class SleepManager;

// Prints what the engine does, one line per change, while the app has no
// window to show it.
class EngineLog final : public QObject
{
    Q_OBJECT

public:
    EngineLog(SleepManager &manager, Console &console, QObject *parent = nullptr);

private:
    void printSettings();
    void printSession();
    void printSchedule();
    void printError();

    SleepManager &m_manager;
    Console &m_console;
    QString m_lastScheduleText;
};

} // namespace velorinth
