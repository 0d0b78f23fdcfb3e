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
// the installer's progress only through the model; "Pas maintenant" calls dismiss. Where the
// helper cannot exist, it offers nothing: it says why the option is unavailable, and not now.
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
    [[nodiscard]] QString explanation() const { return m_explanation.toPlainText(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where everything goes in a column of kWidth, for a sheet of the given height.
    struct Layout
    {
        QRectF icon;
        qreal titleTop = 0.0;
        qreal explanationTop = 0.0;
        qreal dividerTop = 0.0;
        std::array<QRectF, 3> steps;
        QRectF log; // empty when there is no status line
        QRectF install; // empty when the install is not offered
        QRectF notNow;
        qreal height; // of the content, at its most compact
    };

    [[nodiscard]] Layout layout(qreal height) const;
    // The buttons below content ending at contentBottom, low in a sheet of the given height.
    [[nodiscard]] Layout placeButtons(Layout l, qreal contentBottom, qreal height) const;
    [[nodiscard]] qreal columnLeft() const;
    void refresh();
    void layOut();

    SleepManager &m_manager;
    const bool m_offersInstall;
    TextLine m_title;
    QTextDocument m_explanation;
    std::array<InstallStep *, 3> m_steps;
    QStaticText m_log;
    WideButton *m_install;
    WideButton *m_notNow;
    Layout m_layout;
};

} // namespace velorinth
