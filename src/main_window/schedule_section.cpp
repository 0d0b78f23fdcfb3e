#include "main_window/schedule_section.h"

#include "design/design_system.h"
#include "design/frame_layout.h"
#include "main_window/section_caption.h"
#include "main_window/time_field.h"

#include <QPainter>
#include <QTextOption>

#include <cmath>

namespace velorinth {

namespace {
constexpr int kPreferredWidth = 320;
constexpr int kSpacing = 10;
constexpr int kExplanationPadding = 20;

int up(qreal v)
{
    return static_cast<int>(std::ceil(v));
}
} // namespace

ScheduleSection::ScheduleSection(Binding<QDateTime> time, const QString &machine, QWidget *parent)
    : QWidget(parent)
    , m_caption(sectionCaption(QStringLiteral("HEURE DE VEILLE")))
    , m_field(new TimeField(std::move(time), this))
    , m_explanationFont(DesignSystem::Fonts::sans(10))
    , m_explanation(machine + QStringLiteral(" se mettra en veille chaque jour à cette heure."))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_explanation.setTextFormat(Qt::PlainText);
    m_explanation.setTextOption(QTextOption(Qt::AlignHCenter));
    wrapExplanation(kPreferredWidth);
}

QSize ScheduleSection::sizeHint() const
{
    return {kPreferredWidth,
            up(m_caption.size().height()) + kSpacing + frameSizeOf(m_field).height() + kSpacing
                + up(m_explanation.size().height())};
}

void ScheduleSection::wrapExplanation(int width)
{
    m_explanation.setTextWidth(width - 2 * kExplanationPadding);
    m_explanation.prepare(QTransform(), m_explanationFont);
}

void ScheduleSection::resizeEvent(QResizeEvent *)
{
    wrapExplanation(width());
    const QSize field = frameSizeOf(m_field);
    setFrame(m_field,
             QRect(QPoint((width() - field.width()) / 2, up(m_caption.size().height()) + kSpacing),
                   field));
    updateGeometry(); // the explanation may take another line
}

void ScheduleSection::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(DesignSystem::Colors::textTertiary);
    m_caption.paint(painter, {width() / 2.0, m_caption.size().height() / 2});
    painter.setFont(m_explanationFont);
    painter.drawStaticText(kExplanationPadding, m_field->geometry().bottom() + 1 + kSpacing,
                           m_explanation);
}

} // namespace velorinth
