#pragma once

#include <QDir>
#include <QImage>

namespace velorinth {

#ifdef VELORINTH_GALLERY_DIR
// name@1x.png or name@2x.png in the build tree's gallery, for people to look at.
inline bool saveToGallery(const QString &name, const QImage &image)
{
    const QDir gallery(QStringLiteral(VELORINTH_GALLERY_DIR));
    return gallery.mkpath(QStringLiteral("."))
        && image.save(
            gallery.filePath(QStringLiteral("%1@%2x.png").arg(name).arg(image.devicePixelRatio())));
}
#endif

} // namespace velorinth
