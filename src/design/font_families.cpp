#include "design/font_families.h"

#include <QFontDatabase>

namespace velorinth {

QString FontFamilies::firstInstalled(const QStringList &candidates)
{
    for (const QString &family : candidates) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return {};
}

const FontFace &FontFamilies::sans()
{
    static const FontFace face{
        firstInstalled({QStringLiteral("Inter"), QStringLiteral("DejaVu Sans")}), QFont::SansSerif,
        QFont::Normal};
    return face;
}

const FontFace &FontFamilies::mono()
{
    static const FontFace face{
        firstInstalled({QStringLiteral("JetBrains Mono"), QStringLiteral("DejaVu Sans Mono")}),
        QFont::Monospace, QFont::Medium};
    return face;
}

const FontFace &FontFamilies::display()
{
    static const FontFace face = [] {
        const QString rounded = firstInstalled({QStringLiteral("Quicksand")});
        if (!rounded.isEmpty())
            return FontFace{rounded, QFont::SansSerif, QFont::Bold};
        return FontFace{sans().family, QFont::SansSerif, QFont::DemiBold};
    }();
    return face;
}

} // namespace velorinth
