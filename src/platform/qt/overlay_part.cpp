#include "overlay_part.h"

namespace velorinth {

QList<OverlayPart> OverlayPart::forScreen(const QRect &screen,
                                          const std::optional<QRect> &shellWorkArea)
{
    if (!shellWorkArea)
        return {{screen, false}};
    const QRect work = *shellWorkArea & screen;
    if (work.isEmpty())
        return {{screen, true}};
    // Full-width bands above and below the work area, and the sides between them.
    const QRect bands[] = {
        QRect(QPoint(screen.left(), screen.top()), QPoint(screen.right(), work.top() - 1)),
        QRect(QPoint(screen.left(), work.bottom() + 1), QPoint(screen.right(), screen.bottom())),
        QRect(QPoint(screen.left(), work.top()), QPoint(work.left() - 1, work.bottom())),
        QRect(QPoint(work.right() + 1, work.top()), QPoint(screen.right(), work.bottom())),
    };
    QList<OverlayPart> parts{{work, true}};
    for (const QRect &band : bands) {
        if (band.isValid())
            parts.append({band, false});
    }
    return parts;
}

} // namespace velorinth
