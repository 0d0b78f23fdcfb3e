#include "menu_bar/install_step.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "menu_bar/batt_install_sheet.h"

#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kDisc = 20.0;
constexpr qreal kDiscToText = 10.0;
constexpr qreal kDiscOpacity = 0.15;

QFont numberFont()
{
    QFont font = DesignSystem::Fonts::mono(11);
    font.setWeight(QFont::Bold);
    return font;
}
QFont textFont()
{
    return DesignSystem::Fonts::sans(13);
}
} // namespace

InstallStep::InstallStep(const QString &number, const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_number(number)
    , m_textSource(text)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_number.setTextFormat(Qt::PlainText);
    m_number.prepare(QTransform(), numberFont());
}

QStaticText InstallStep::wrapped(qreal width) const
{
    QStaticText text(m_textSource);
    text.setTextFormat(Qt::PlainText);
    text.setTextWidth(std::max(1.0, width - kDisc - kDiscToText));
    text.prepare(QTransform(), textFont());
    return text;
}

int InstallStep::heightForWidth(int width) const
{
    return static_cast<int>(std::ceil(std::max(kDisc, wrapped(width).size().height())));
}

void InstallStep::resizeEvent(QResizeEvent *)
{
    m_text = wrapped(width());
}

void InstallStep::paintEvent(QPaintEvent *)
{
    using namespace DesignSystem::Colors;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(0.0, 0.0, kDisc, kDisc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(BattInstallSheet::gold(), kDiscOpacity));
    painter.drawEllipse(disc);
    painter.setPen(BattInstallSheet::gold());
    painter.setFont(numberFont());
    const QSizeF number = m_number.size();
    painter.drawStaticText(disc.center() - QPointF(number.width(), number.height()) / 2.0,
                           m_number);
    painter.setPen(textSecondary);
    painter.setFont(textFont());
    painter.drawStaticText(QPointF(kDisc + kDiscToText, 0.0), m_text);
}

} // namespace velorinth
