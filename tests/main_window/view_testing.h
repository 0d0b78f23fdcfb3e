#pragma once

#include "design/timeline.h"
#include "support/gallery.h"

#include <QCoreApplication>

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

} // namespace velorinth
