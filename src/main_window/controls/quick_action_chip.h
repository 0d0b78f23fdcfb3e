#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

// A small glass chip with a duration shortcut such as "+15".
class QuickActionChip : public PlainButton
{
    Q_OBJECT

public:
    QuickActionChip(const QString &label, std::function<void()> action, QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    TextLine m_label;
};

} // namespace velorinth
