#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

// A small glass capsule with a text such as "+5m" that brightens under the pointer.
class MenuBarAdjustButton : public PlainButton
{
    Q_OBJECT

public:
    MenuBarAdjustButton(const QString &label, std::function<void()> action,
                        QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    TextLine m_label;
};

} // namespace velorinth
