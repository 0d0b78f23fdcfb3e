#include "support/other_application.h"

#include <QTest>

namespace velorinth {

namespace {

constexpr int kShowsWithinMs = 10000;

// The first shown window of that class; 0 while there is none.
qulonglong shownWindowOfClass(const QString &windowClass)
{
    QProcess search;
    search.start("xdotool", {"search", "--onlyvisible", "--class", windowClass});
    search.waitForFinished();
    return search.readAllStandardOutput().split('\n').value(0).toULongLong();
}

} // namespace

OtherApplication::OtherApplication()
{
    m_client.start("xmessage", {"-geometry", "300x200+40+40", "Une autre application"});
    static_cast<void>(QTest::qWaitFor(
        [this] { return (m_window = shownWindowOfClass("Xmessage")) != 0; }, kShowsWithinMs));
}

OtherApplication::~OtherApplication()
{
    m_client.kill();
    m_client.waitForFinished();
}

} // namespace velorinth
