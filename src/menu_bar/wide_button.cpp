#include "menu_bar/wide_button.h"

#include "design/shapes.h"
#include "design/symbols.h"
#include "menu_bar/spinner.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSpinnerScale = 0.7;
}

WideButton::WideButton(const Look &look, const QString &icon, const QString &text,
                       std::function<void()> action, QWidget *parent)
    : PlainButton(
        std::move(action),
        QMarginsF(look.outlineWidth, look.outlineWidth, look.outlineWidth, look.outlineWidth) / 2.0,
        parent)
    , m_look(look)
    , m_icon(icon)
    , m_label(text, look.font)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setLabel(text);
}

void WideButton::setContent(const QString &icon, const QString &text)
{
    if (icon == m_icon && text == this->text())
        return;
    m_icon = icon;
    m_label = TextLine(text, m_look.font);
    setLabel(text);
    lookChanged();
    updateGeometry();
}

void WideButton::setSpinning(bool spinning)
{
    if (spinning == isSpinning())
        return;
    if (!m_spinner) {
        m_spinner = new Spinner(this);
        connect(m_spinner, &Spinner::changed, this, qOverload<>(&QWidget::update));
    }
    m_spinner->setSpinning(spinning);
    lookChanged();
    updateGeometry();
}

bool WideButton::isSpinning() const
{
    return m_spinner && m_spinner->isSpinning();
}

qreal WideButton::leadingWidth() const
{
    if (isSpinning())
        return m_label.size().height();
    return m_icon.isEmpty() ? 0.0 : m_look.symbolSize;
}

QSizeF WideButton::frameSize() const
{
    const qreal leading = leadingWidth();
    // The spinner is as tall as the text, so the height stays put when it comes.
    return {leading + (leading > 0.0 ? m_look.spacing : 0.0) + m_label.size().width(),
            std::max(m_label.size().height(), m_look.symbolSize) + 2.0 * m_look.verticalPadding};
}

PaintCache::Key WideButton::lookKey() const
{
    return {m_spinner ? double(m_spinner->step()) : 0.0};
}

void WideButton::paintLook(QPainter &painter) const
{
    const QRectF frame(contentsRect());
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = continuousRoundedRect(frame, m_look.cornerRadius);
    painter.fillPath(shape, m_look.fill);
    if (m_look.outline.isValid())
        painter.strokePath(shape, QPen(m_look.outline, m_look.outlineWidth));

    painter.setOpacity(labelOpacity());
    const qreal leading = leadingWidth();
    const qreal gap = leading > 0.0 ? m_look.spacing : 0.0;
    const qreal left = frame.center().x() - (leading + gap + m_label.size().width()) / 2.0;
    const QPointF leadingCentre(left + leading / 2.0, frame.center().y());
    if (isSpinning())
        m_spinner->paint(painter, leadingCentre, leading * kSpinnerScale, m_look.foreground);
    else if (!m_icon.isEmpty())
        Symbols::paint(painter, m_icon, leadingCentre, m_look.symbolSize, QFont::Normal,
                       m_look.foreground);
    painter.setPen(m_look.foreground);
    m_label.paint(painter,
                  {left + leading + gap + m_label.size().width() / 2.0, frame.center().y()});
}

} // namespace velorinth
