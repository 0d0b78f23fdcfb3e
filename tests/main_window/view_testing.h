#pragma once

#include "design/timeline.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

namespace velorinth {

// Moves every timeline of delayed steps that the application holds to `milliseconds`
// after its own start: the steps due by then run, in order.
inline void runTimelines(int milliseconds)
{
    const auto timelines = qApp->findChildren<Timeline *>(QString(), Qt::FindDirectChildrenOnly);
    for (Timeline *timeline : timelines) {
        if (timeline->state() == QAbstractAnimation::Running)
            timeline->setCurrentTime(milliseconds);
    }
}

#ifdef VELORINTH_GALLERY_DIR
// name@1x.png or name@2x.png in the build tree's gallery.
inline bool saveToGallery(const QString &name, const QImage &image)
{
    const QDir gallery(QStringLiteral(VELORINTH_GALLERY_DIR));
    return gallery.mkpath(QStringLiteral("."))
        && image.save(
            gallery.filePath(QStringLiteral("%1@%2x.png").arg(name).arg(image.devicePixelRatio())));
}
#endif

} // namespace velorinth
