#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QAbstractAnimation;
class QWidget;

namespace velorinth {

// Holds endless animations still while nobody can see them: while their widget is hidden
// (itself or an ancestor), or its window is minimised or not the active one. They resume
// where they stood once it can be seen again, so a hidden window costs no wake-ups.
class PauseWhileHidden : public QObject
{
    Q_OBJECT

public:
    enum class Pause {
        WhileUnseen, // also while the window is not the active one
        OnlyWhileHidden, // for what must play to its end while the window is on screen
    };

    // Pauses animation whenever view cannot be seen; one watcher per view, shared.
    static void watch(QWidget *view, QAbstractAnimation *animation,
                      Pause pause = Pause::WhileUnseen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PauseWhileHidden(QWidget *view);

    struct Watched
    {
        QPointer<QAbstractAnimation> animation;
        Pause pause;
    };

    [[nodiscard]] bool isOnScreen() const;
    [[nodiscard]] bool plays(Pause pause) const;
    void follow(const Watched &watched);
    void update();

    QWidget *m_view; // also the parent
    QPointer<QWidget> m_window;
    std::vector<Watched> m_animations;
};

} // namespace velorinth
