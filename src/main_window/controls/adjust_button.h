#pragma once

#include "design/plain_button.h"

namespace velorinth {

// A round glass button with a bold symbol (minus, plus) that brightens under the pointer.
class AdjustButton : public PlainButton
{
    Q_OBJECT

public:
    static constexpr qreal kDefaultSize = 40.0;

    // size: the diameter in points; the symbol is 0.4 of it. label: what the symbol does.
    AdjustButton(const QString &icon, const QString &label, qreal size,
                 std::function<void()> action, QWidget *parent = nullptr);
    AdjustButton(const QString &icon, const QString &label, std::function<void()> action,
                 QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    QString m_icon;
    qreal m_size;
};

} // namespace velorinth
