#pragma once

#include <QWidget>

namespace velorinth {

// A hairline of glassBorder one point thick, spanning the widget along its orientation.
class Divider : public QWidget
{
    Q_OBJECT

public:
    explicit Divider(Qt::Orientation orientation, QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation m_orientation;
};

} // namespace velorinth
