#include "design/design_system.h"

#include "design/font_families.h"

#include <QtMath>

namespace velorinth::DesignSystem::Fonts {

namespace {
QFont make(const FontFace &face, qreal size, QFont::Weight weight)
{
    QFont font(face.family);
    font.setStyleHint(face.styleHint);
    font.setPixelSize(qMax(1, qRound(size)));
    font.setWeight(weight);
    return font;
}
} // namespace

QFont display(qreal size)
{
    const FontFace &face = FontFamilies::display();
    return make(face, size, face.weight);
}

QFont sans(qreal size, QFont::Weight weight)
{
    return make(FontFamilies::sans(), size, weight);
}

QFont mono(qreal size)
{
    QFont font = make(FontFamilies::mono(), size, QFont::Medium);
    font.setFixedPitch(true);
    return font;
}

} // namespace velorinth::DesignSystem::Fonts
