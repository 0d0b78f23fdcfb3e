#pragma once

#include "design/soft_shadow.h"

#include <QPointer>
#include <QStaticText>
#include <QWidget>

#include <functional>
#include <vector>

namespace velorinth {

class PlainButton;

// One error text on a dark strip at the top of the window, with a warning symbol and a
// close button. It only shows the text and reports the close; its owner decides when it
// is there. The widget spans the window's width and reaches below the strip for its
// shadow; presses on the shadow go on to whatever lies below.
class ErrorBanner : public QWidget
{
    Q_OBJECT

public:
    ErrorBanner(const QString &message, std::function<void()> onDismiss, QWidget *parent = nullptr);

    // Shows another text in place of this one, without a transition.
    void setMessage(const QString &message);
    [[nodiscard]] QString message() const { return m_message; }
    // The strip itself, within the widget.
    [[nodiscard]] QRectF strip() const;
    // The text as shown: at most two lines, the second cut short with an ellipsis.
    [[nodiscard]] QStringList shownLines() const;
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void layOut();
    [[nodiscard]] qreal stripHeight() const;
    [[nodiscard]] QWidget *widgetBelow(QPointF position);
    // Hands a press that began on the shadow, and what follows it, to the widget below.
    void passOn(QMouseEvent *event);

    QString m_message;
    std::vector<QStaticText> m_lines;
    PlainButton *m_close;
    SoftShadow m_shadow;
    QPointer<QWidget> m_pressedBelow;
};

} // namespace velorinth
