#pragma once

#include <QWidget>

namespace velorinth {

// A round, display-only sign that an option is on (blue symbol) or off (faint symbol).
class StatusIndicator : public QWidget
{
    Q_OBJECT

public:
    StatusIndicator(bool isOn, const QString &icon, QWidget *parent = nullptr);

    void setOn(bool isOn);
    [[nodiscard]] bool isOn() const { return m_isOn; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_isOn;
    QString m_icon;
};

} // namespace velorinth
