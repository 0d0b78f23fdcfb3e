#include "main_window/content_header.h"

#include "design/design_system.h"
#include "design/symbols.h"

#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kTopPadding = 24.0;
constexpr qreal kSymbolSize = 16.0;
constexpr qreal kSpacing = 8.0;
constexpr qreal kOpacity = 0.85;
} // namespace

ContentHeader::ContentHeader(QWidget *parent)
    : QWidget(parent)
    , m_name(QStringLiteral("Velorinth"), DesignSystem::Fonts::display(17))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSizeF ContentHeader::rowSize() const
{
    return {kSymbolSize + kSpacing + m_name.size().width(),
            std::max(kSymbolSize, m_name.size().height())};
}

QSize ContentHeader::sizeHint() const
{
    const QSizeF row = rowSize();
    return {static_cast<int>(std::ceil(row.width())),
            static_cast<int>(std::ceil(kTopPadding + row.height()))};
}

void ContentHeader::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.deviceIndependentSize() != QSizeF(size())
        || m_picture.devicePixelRatio() != ratio) {
        m_picture = QPixmap(size() * ratio);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        QPainter painter(&m_picture);
        paintRow(painter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void ContentHeader::paintRow(QPainter &painter) const
{
    const QSizeF row = rowSize();
    const qreal left = (width() - row.width()) / 2;
    const qreal middle = kTopPadding + row.height() / 2;
    painter.setOpacity(kOpacity);
    Symbols::paint(painter, QStringLiteral("moon.stars.fill"), {left + kSymbolSize / 2, middle},
                   kSymbolSize, QFont::Normal, DesignSystem::Gradients::primaryAccent);
    painter.setPen(DesignSystem::Colors::textPrimary);
    m_name.paint(painter, {left + kSymbolSize + kSpacing + m_name.size().width() / 2, middle});
}

} // namespace velorinth
