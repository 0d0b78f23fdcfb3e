#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

// A small glass capsule that adds or removes minutes, with a short text such as "+5m" that
// brightens under the pointer; screen readers hear it whole ("Ajouter 5 minutes").
class MenuBarAdjustButton : public PlainButton
{
    Q_OBJECT

public:
    // Calls `addMinutes` with `minutes`, below 0 to remove them.
    MenuBarAdjustButton(int minutes, const std::function<void(int)> &addMinutes,
                        QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    TextLine m_label;
};

} // namespace velorinth
