#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace velorinth {

struct FontFace
{
    QString family; // empty: Qt's default for the style hint
    QFont::StyleHint styleHint = QFont::SansSerif;
    QFont::Weight weight = QFont::Normal;
};

// The installed families behind the design's three font makers, looked up once, each
// with fallbacks so the app still renders on a machine without them.
class FontFamilies
{
public:
    [[nodiscard]] static const FontFace &sans();
    [[nodiscard]] static const FontFace &mono();
    // Quicksand Bold reads as a rounded semibold at 84 px; Inter SemiBold otherwise.
    [[nodiscard]] static const FontFace &display();

    [[nodiscard]] static QString firstInstalled(const QStringList &candidates);
};

} // namespace velorinth
