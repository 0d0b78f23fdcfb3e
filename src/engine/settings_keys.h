#pragma once

#include <QString>

// Keys under which the user defaults keep the settings and the fade recovery.
namespace velorinth::SettingsKeys {

inline const QString isFadeOutEnabled = QStringLiteral("isFadeOutEnabled");
inline const QString isScreenDimmingEnabled = QStringLiteral("isScreenDimmingEnabled");
inline const QString sessionDuration = QStringLiteral("sessionDuration");
inline const QString isScheduleEnabled = QStringLiteral("isScheduleEnabled");
inline const QString scheduledTime = QStringLiteral("scheduledTime");
inline const QString isLEDOff = QStringLiteral("isLEDOff");
// Present from the start of a fading session until it stops, so the next run
// can put back a volume that a crash left faded.
inline const QString savedVolume = QStringLiteral("Velorinth_savedVolume");
inline const QString fadeInProgress = QStringLiteral("Velorinth_fadeInProgress");

} // namespace velorinth::SettingsKeys
