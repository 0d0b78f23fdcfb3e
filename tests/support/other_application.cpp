#include "support/other_application.h"

#include <QTest>

namespace velorinth {

namespace {

constexpr int kShowsWithinMs = 10000;

bool windowOfClassShown(const QString &windowClass)
{
    QProcess search;
    search.start("xdotool", {"search", "--onlyvisible", "--class", windowClass});
    return search.waitForFinished() && search.exitCode() == 0;
}

} // namespace

OtherApplication::OtherApplication()
{
    m_client.start("xmessage", {"-geometry", "300x200+40+40", "Une autre application"});
    m_shown = QTest::qWaitFor([] { return windowOfClassShown("Xmessage"); }, kShowsWithinMs);
}

OtherApplication::~OtherApplication()
{
    m_client.kill();
    m_client.waitForFinished();
}

} // namespace velorinth
