#include "app/open_main_window.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "app/velorinth_app.h"
#include "platform/host_platform.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Without a display Qt would abort with a long message; say it in one line instead.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Velorinth : aucun affichage graphique joignable (DISPLAY et WAYLAND_DISPLAY "
                   "sont vides).\n",
                   stderr);
        return 1;
    }
    // Wayland clients can neither place the panel at the tray nor keep the dimming overlays on
    // top: on a Wayland desktop the app runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velorinth"));
    QApplication::setDesktopFileName(QStringLiteral("velorinth"));
    // Closing the window hides it; the tray or the panel's quit button ends the app.
    QApplication::setQuitOnLastWindowClosed(false);

    // From here on a signal waits for the event loop, which then quits cleanly.
    velorinth::QuitSignals quitSignals;

    // Before any engine: a second one would count down and suspend the machine too.
    velorinth::SingleInstance instance;
    if (!instance.claim()) {
        if (instance.handOver())
            return 0;
        std::fputs("Velorinth est déjà lancé mais ne répond pas.\n", stderr);
        return 1;
    }
    velorinth::VelorinthApp app(velorinth::makeHostPlatform());
    QObject::connect(&quitSignals, &velorinth::QuitSignals::received, &app,
                     &velorinth::VelorinthApp::quit);
    QObject::connect(&instance, &velorinth::SingleInstance::reopenRequested, &app.delegate(),
                     &velorinth::AppDelegate::applicationShouldHandleReopen);
    velorinth::openMainWindow();
    return QApplication::exec();
}
