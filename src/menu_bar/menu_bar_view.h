#pragma once

#include <QWidget>

#include <functional>

namespace velorinth {

class AnimatedValue;
class BattInstallSheet;
class ConfirmationOverlay;
class MenuBarBackground;
class SleepManager;
class TransitionHost;

// What the panel asks of the app around it.
struct MenuBarActions
{
    std::function<void()> openApp; // bring the main window forward; the panel stays open
    std::function<void()> quit;
};

// The floating panel's whole content: a drifting ground, the title row, the running or
// idle session view (swapped with a spring when a session starts or ends), and the
// option tiles; over them the stop question, and the helper's installer sheet while the
// model asks for it. Built anew at every opening, so nothing of a previous opening (a
// hovered tile, an open question) survives. It never moves, resizes or closes its window:
// it says what size it wants, and the window follows.
class MenuBarView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 280;

    // manager must outlive the view.
    MenuBarView(SleepManager &manager, MenuBarActions actions, QWidget *parent = nullptr);

    // 300 while a session runs; otherwise 290 in scheduled mode, else 280.
    [[nodiscard]] static int menuBarHeight(const SleepManager &manager);
    // What the panel window must be now: 280 by the height, which springs to a new rule,
    // or larger, to hold the installer sheet.
    [[nodiscard]] QSize sizeHint() const override;

Q_SIGNALS:
    // sizeHint() changed: at every frame while the height springs, and when the sheet
    // comes, changes or goes.
    void preferredSizeChanged();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void followSession();
    void followPrompt();
    [[nodiscard]] QWidget *newSessionView(bool active);
    void announceSize();
    void layOut();

    SleepManager &m_manager;
    AnimatedValue *m_height;
    QWidget *m_panel; // everything the sheet covers
    MenuBarBackground *m_background;
    QWidget *m_column;
    TransitionHost *m_session;
    ConfirmationOverlay *m_stopQuestion;
    BattInstallSheet *m_sheet;
    bool m_showsActive;
    QSize m_announcedSize;
};

} // namespace velorinth
