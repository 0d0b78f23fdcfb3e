#pragma once

#include "design/timeline.h"
#include "support/gallery.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace velorinth {

// Moves every timeline of delayed steps, the application's and those its windows hold, to
// `milliseconds` after its own start: the steps due by then run, in order.
inline void runTimelines(int milliseconds)
{
    QList<QPointer<Timeline>> timelines;
    for (Timeline *timeline : qApp->findChildren<Timeline *>(QString(), Qt::FindDirectChildrenOnly))
        timelines.append(timeline);
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        for (Timeline *timeline : window->findChildren<Timeline *>())
            timelines.append(timeline);
    }
    // A step may take away a view and the timelines it holds.
    for (const QPointer<Timeline> &timeline : timelines) {
        if (timeline && timeline->state() == QAbstractAnimation::Running)
            timeline->setCurrentTime(milliseconds);
    }
}

} // namespace velorinth
