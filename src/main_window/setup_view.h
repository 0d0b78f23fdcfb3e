#pragma once

#include <QWidget>

#include <array>

namespace velorinth {

class DurationSection;
class FeatureToggle;
class ModeTabButton;
class ScheduleSection;
class SleepManager;
class TransitionHost;

// The window's content while no session runs: the mode (timer or daily schedule), the
// session's length or the daily time, and the three options. It only edits the
// manager's settings; starting a session is the window's business. Its big minutes
// number is the matched element "timerText" of the screens' swap. Its size hint is its
// content; it takes any height and keeps the content centred, so give it the column
// between the header and the main button: the cards' shadows spill past the content.
class SetupView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double kMinMinutes = 5.0;
    static constexpr double kMaxMinutes = 180.0;

    // manager must outlive the view.
    explicit SetupView(SleepManager &manager, QWidget *parent = nullptr);

    // Adds minutes (negative removes) to the session's length, kept within 5…180
    // minutes, as an energetic animated change.
    void addTime(double minutes);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void chooseMode(bool schedule);
    void showMode();
    void layOut();
    [[nodiscard]] QRect modeSwitchFrame() const;
    [[nodiscard]] int contentHeight() const;

    SleepManager &m_manager;
    ModeTabButton *m_timerTab;
    ModeTabButton *m_scheduleTab;
    TransitionHost *m_modeHost;
    DurationSection *m_duration;
    ScheduleSection *m_schedule;
    std::array<FeatureToggle *, 3> m_options;
    bool m_showsSchedule;
};

} // namespace velorinth
