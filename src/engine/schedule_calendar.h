#pragma once

#include <QDateTime>

#include <optional>

namespace velorinth {

// The next instant strictly after `after` at which the local wall clock reads
// hour:minute:00. A time skipped by a daylight-saving change gives the first
// instant after the gap; a time that occurs twice gives its first occurrence.
[[nodiscard]] std::optional<QDateTime> nextDailyOccurrence(const QDateTime &after, int hour,
                                                           int minute);

// The occurrence of hour:minute on the local calendar day `day`, by the same rules.
[[nodiscard]] std::optional<QDateTime> dailyOccurrenceOn(const QDate &day, int hour, int minute);

} // namespace velorinth
