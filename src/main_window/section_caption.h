#pragma once

#include "design/design_system.h"
#include "design/text_line.h"

namespace velorinth {

// The small spaced capitals over a setup section, such as "DURÉE DE SESSION", painted in
// DesignSystem::Colors::textTertiary.
[[nodiscard]] inline TextLine sectionCaption(const QString &text)
{
    QFont font = DesignSystem::Fonts::sans(10, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    return {text, font};
}

} // namespace velorinth
