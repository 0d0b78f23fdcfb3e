#pragma once

#include "design/binding.h"
#include "design/text_line.h"

#include <QWidget>

#include <functional>

namespace velorinth {

class AdjustButton;
class PremiumSlider;
class RollingLabel;

// The timer mode of the setup screen: the session's length in whole minutes as a big
// rolling number between minus and plus, the slider, and the duration chips.
class DurationSection : public QWidget
{
    Q_OBJECT

public:
    // minutes: the session's length, read for the number and written by the slider;
    // addTime: what minus, plus and the chips call, with the minutes to add.
    DurationSection(Binding<double> minutes, std::function<void(double)> addTime,
                    QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void layOut();

    Binding<double> m_minutes;
    TextLine m_caption;
    TextLine m_unit;
    qreal m_unitAscent;
    AdjustButton *m_minus;
    RollingLabel *m_number;
    AdjustButton *m_plus;
    PremiumSlider *m_slider;
    QList<QWidget *> m_chips;
    QPointF m_unitCentre; // where the layout put "min"
};

} // namespace velorinth
