#pragma once

#include "design/text_line.h"

#include <QWidget>

#include <optional>

class QDateTime;

namespace velorinth {

class SleepManager;
class WideButton;

// The idle panel in scheduled mode: the daily time with how long until it, and a
// button that starts the countdown at once.
class ScheduleCard : public QWidget
{
    Q_OBJECT

public:
    explicit ScheduleCard(SleepManager &manager, QWidget *parent = nullptr);

    // "HH:mm" in 24-hour form whatever the locale, in local time.
    [[nodiscard]] static QString clockText(const QDateTime &time);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshTime();
    void refreshUntil();
    [[nodiscard]] qreal rowHeight() const;

    SleepManager &m_manager;
    TextLine m_time;
    TextLine m_caption;
    TextLine m_separator;
    std::optional<TextLine> m_until;
    WideButton *m_start;
};

} // namespace velorinth
