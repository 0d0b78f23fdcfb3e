#include "app/engine_log.h"
#include "engine/sleep_manager.h"
#include "platform/host_platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velorinth"));
    QApplication::setQuitOnLastWindowClosed(false);

    velorinth::Platform platform = velorinth::makeHostPlatform();
    velorinth::SleepManager manager(platform);
    velorinth::EngineLog log(manager, *platform.console);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &manager,
                     &velorinth::SleepManager::cleanup);

    return QApplication::exec();
}
