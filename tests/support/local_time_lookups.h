#pragma once

namespace velorinth {

// How many times this program has asked the C library for local time through
// tzset() or mktime() (Qt's way in): each one makes the library look at the
// zone file (/etc/localtime) again.
[[nodiscard]] int localTimeLookups();

} // namespace velorinth
