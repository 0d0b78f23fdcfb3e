#pragma once

#include "design/design_system.h"

namespace velorinth {

// The small spaced-out capitals under the panel's large numbers.
[[nodiscard]] inline QFont captionFont()
{
    QFont font = DesignSystem::Fonts::sans(8, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return font;
}

} // namespace velorinth
