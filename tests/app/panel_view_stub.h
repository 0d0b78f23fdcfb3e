#pragma once

#include <QWidget>

namespace velorinth {

// Stands in for the panel's view where only its size contract matters: a size hint that the
// test sets, announced as the real view announces its own.
class PanelViewStub final : public QWidget
{
    Q_OBJECT

public:
    explicit PanelViewStub(QSize hint = {280, 280}, QWidget *parent = nullptr)
        : QWidget(parent)
        , m_hint(hint)
    {
    }

    [[nodiscard]] QSize sizeHint() const override { return m_hint; }
    void setHint(QSize hint)
    {
        m_hint = hint;
        Q_EMIT preferredSizeChanged();
    }

Q_SIGNALS:
    void preferredSizeChanged();

private:
    QSize m_hint;
};

} // namespace velorinth
