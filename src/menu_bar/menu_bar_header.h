#pragma once

#include "design/text_line.h"

#include <QWidget>

#include <functional>

namespace velorinth {

class RoundSymbolButton;

// The panel's title row: the moon and the app's name, then two small round buttons that
// bring the main window forward and quit the app.
class MenuBarHeader : public QWidget
{
    Q_OBJECT

public:
    MenuBarHeader(std::function<void()> onOpenApp, std::function<void()> onQuit,
                  QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TextLine m_title;
    RoundSymbolButton *m_open;
    RoundSymbolButton *m_quit;
};

} // namespace velorinth
