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
    // Pauses animation whenever view cannot be seen; one watcher per view, shared.
    static void watch(QWidget *view, QAbstractAnimation *animation);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PauseWhileHidden(QWidget *view);

    [[nodiscard]] bool isSeen() const;
    void follow(QAbstractAnimation *animation);
    void update();

    QWidget *m_view; // also the parent
    QPointer<QWidget> m_window;
    std::vector<QPointer<QAbstractAnimation>> m_animations;
};

} // namespace velorinth
