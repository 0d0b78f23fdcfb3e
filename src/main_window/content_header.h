#pragma once

#include "design/text_line.h"

#include <QPixmap>
#include <QWidget>

namespace velorinth {

// The window's title row: the moon and stars in the accent gradient beside the product's
// name, a little dimmed, centred below a top margin.
class ContentHeader : public QWidget
{
    Q_OBJECT

public:
    explicit ContentHeader(QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] QSizeF rowSize() const;
    void paintRow(QPainter &painter) const;

    TextLine m_name;
    // The row as painted last: the ground below repaints it at every step of its drift.
    QPixmap m_picture;
};

} // namespace velorinth
