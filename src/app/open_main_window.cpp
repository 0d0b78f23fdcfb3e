#include "app/open_main_window.h"

#include "app/main_window.h"

#include <QApplication>

namespace velorinth {

void openMainWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        if (auto *window = qobject_cast<MainWindow *>(widget)) {
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->show();
            window->raise();
            window->activateWindow();
            return;
        }
    }
}

} // namespace velorinth
