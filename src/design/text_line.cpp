#include "design/text_line.h"

#include <QFontMetricsF>
#include <QPainter>

namespace velorinth {

TextLine::TextLine(const QString &text, const QFont &font)
    : m_font(font)
    , m_text(text)
{
    m_text.setTextFormat(Qt::PlainText);
    m_text.setPerformanceHint(QStaticText::AggressiveCaching);
    m_text.prepare(QTransform(), font);
    const QFontMetricsF metrics(font);
    // Tracking follows every letter, the last one too: centre the letters themselves.
    const qreal tracking = font.letterSpacingType() == QFont::AbsoluteSpacing && !text.isEmpty()
        ? font.letterSpacing()
        : 0.0;
    m_size = {metrics.horizontalAdvance(text) - tracking, metrics.height()};
}

void TextLine::paint(QPainter &painter, QPointF centre) const
{
    painter.setFont(m_font);
    painter.drawStaticText(centre - QPointF(m_size.width(), m_size.height()) / 2.0, m_text);
}

} // namespace velorinth
