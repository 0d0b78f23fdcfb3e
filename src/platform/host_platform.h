#pragma once

#include "platform.h"

namespace velorinth {

// The real services of the machine the app was built for. Needs the
// QApplication to exist.
[[nodiscard]] Platform makeHostPlatform(PlatformPaths paths = {});

} // namespace velorinth
