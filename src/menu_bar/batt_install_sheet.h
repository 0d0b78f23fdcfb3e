#pragma once

#include "design/text_line.h"

#include <QStaticText>
#include <QTextDocument>
#include <QWidget>

#include <array>
#include <functional>

namespace velorinth {

class InstallStep;
class SleepManager;
class WideButton;

// Offers to install the charging-LED helper: why it is needed, the three things the
// installer does, its latest status line, and two buttons, install or not now. It shows
// the installer's progress only through the model; "Pas maintenant" calls dismiss.
class BattInstallSheet : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal kWidth = 340.0;

    BattInstallSheet(SleepManager &manager, std::function<void()> dismiss,
                     QWidget *parent = nullptr);

    [[nodiscard]] static QColor gold();
    // 340 wide, as tall as its content.
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where everything goes in a column of kWidth, for a sheet of the given height.
    struct Layout
    {
        QRectF icon;
        qreal titleTop;
        qreal explanationTop;
        qreal dividerTop;
        std::array<QRectF, 3> steps;
        QRectF log; // empty when there is no status line
        QRectF install;
        QRectF notNow;
        qreal height; // of the content, at its most compact
    };

    [[nodiscard]] Layout layout(qreal height) const;
    [[nodiscard]] qreal columnLeft() const;
    void refresh();
    void layOut();

    SleepManager &m_manager;
    TextLine m_title;
    QTextDocument m_explanation;
    std::array<InstallStep *, 3> m_steps;
    QStaticText m_log;
    WideButton *m_install;
    WideButton *m_notNow;
    Layout m_layout;
};

} // namespace velorinth
