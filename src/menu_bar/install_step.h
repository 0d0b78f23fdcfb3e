#pragma once

#include <QStaticText>
#include <QWidget>

namespace velorinth {

// One numbered line of the installer sheet: the number in a small gold disc, the text
// beside it, wrapped to the width given, its first line level with the disc's top.
class InstallStep : public QWidget
{
    Q_OBJECT

public:
    InstallStep(const QString &number, const QString &text, QWidget *parent = nullptr);

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    [[nodiscard]] QStaticText wrapped(qreal width) const;

    QStaticText m_number;
    QString m_textSource;
    QStaticText m_text;
};

} // namespace velorinth
