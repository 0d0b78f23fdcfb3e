#pragma once

#include "design/binding.h"
#include "design/text_line.h"

#include <QDateTime>
#include <QStaticText>
#include <QWidget>

namespace velorinth {

class TimeField;

// The scheduled mode of the setup screen: the daily sleep time and what it does.
class ScheduleSection : public QWidget
{
    Q_OBJECT

public:
    // `machine` starts the sentence that says what the time does ("Le Mac", "L'ordinateur").
    ScheduleSection(Binding<QDateTime> time, const QString &machine, QWidget *parent = nullptr);

    [[nodiscard]] QString explanation() const { return m_explanation.text(); }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void wrapExplanation(int width);

    TextLine m_caption;
    TimeField *m_field;
    QFont m_explanationFont;
    QStaticText m_explanation; // wrapped to the section's width
};

} // namespace velorinth
