#include "engine_log.h"

#include "engine/sleep_manager.h"

namespace velorinth {

namespace {

QString onOff(bool on)
{
    return on ? QStringLiteral("oui") : QStringLiteral("non");
}

} // namespace

EngineLog::EngineLog(SleepManager &manager, Console &console, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
    , m_console(console)
{
    connect(&manager, &SleepManager::isActiveChanged, this, &EngineLog::printSession);
    connect(&manager, &SleepManager::timeUntilScheduleChanged, this, &EngineLog::printSchedule);
    connect(&manager, &SleepManager::errorMessageChanged, this, &EngineLog::printError);
    printSettings();
    printSchedule();
}

void EngineLog::printSettings()
{
    m_console.printLine(
        QStringLiteral(
            "Durée : %1 min · fondu du volume : %2 · assombrissement : %3 · LED éteinte : %4")
            .arg(m_manager.sessionDuration() / 60)
            .arg(onOff(m_manager.isFadeOutEnabled()), onOff(m_manager.isScreenDimmingEnabled()),
                 onOff(m_manager.isLEDOff())));
}

void EngineLog::printSession()
{
    if (m_manager.isActive())
        m_console.printLine(QStringLiteral("Session en cours : veille dans ")
                            + m_manager.formattedTimeRemaining());
    else
        m_console.printLine(QStringLiteral("Session arrêtée"));
}

// The text changes every minute; print it only when it does.
void EngineLog::printSchedule()
{
    const QString text = m_manager.timeUntilSchedule().value_or(QString());
    if (text.isEmpty() || text == m_lastScheduleText)
        return;
    m_lastScheduleText = text;
    m_console.printLine(
        QStringLiteral("Veille planifiée à %1 (%2)")
            .arg(m_manager.scheduledTime().toLocalTime().toString(QStringLiteral("HH:mm")), text));
}

void EngineLog::printError()
{
    if (const std::optional<QString> message = m_manager.errorMessage())
        m_console.printLine(*message);
}

} // namespace velorinth
