#include "app/tray_image.h"

#include "app/app_icon.h"
#include "app/painted_icon.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

namespace velorinth {

namespace {

// The app icon fills 18 of the 22 points a tray usually gives, like the tray's other icons.
constexpr qreal kIdleShare = 18.0 / 22.0;

// Whole minutes, so the tray redraws once a minute; seconds only in the last minute.
QString compactTime(const QString &formattedTime)
{
    const QStringList parts = formattedTime.split(QLatin1Char(':'));
    const QString lead = QString::number(parts.value(0).toInt());
    if (parts.size() == 3)
        return lead + QLatin1Char('h') + parts.value(1);
    if (lead == QLatin1String("0"))
        return lead + QLatin1Char(':') + parts.value(1);
    return lead;
}

QLinearGradient plateGradient(bool urgent)
{
    QLinearGradient gradient = DesignSystem::Gradients::primaryAccent;
    if (urgent) {
        gradient.setColorAt(0.0, DesignSystem::Colors::applePink);
        gradient.setColorAt(1.0, DesignSystem::Colors::applePurple);
    }
    return gradient;
}

} // namespace

TrayImage::TrayImage(QString symbolName, QString text, bool urgent)
    : m_symbolName(std::move(symbolName))
    , m_text(std::move(text))
    , m_urgent(urgent)
{
}

TrayImage TrayImage::idle()
{
    return TrayImage({}, {}, false);
}

TrayImage TrayImage::running(const QString &formattedTime, bool urgent)
{
    return TrayImage(urgent ? QStringLiteral("moon.zzz.fill") : QStringLiteral("moon.fill"),
                     compactTime(formattedTime), urgent);
}

void TrayImage::paint(QPainter &painter, const QRectF &square) const
{
    if (m_symbolName.isEmpty()) {
        QRectF icon(0, 0, square.width() * kIdleShare, square.height() * kIdleShare);
        icon.moveCenter(square.center());
        AppIcon::paint(painter, icon);
        return;
    }
    paintRunning(painter, square);
}

void TrayImage::paintRunning(QPainter &painter, const QRectF &square) const
{
    const qreal side = square.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillPath(continuousRoundedRect(square, side * 0.24), plateGradient(m_urgent));
    Symbols::paint(painter, m_symbolName, square.topLeft() + QPointF(side * 0.5, side * 0.29),
                   side * 0.42, QFont::Bold, Qt::white);

    // As large as the width allows: two digits read at half the height, four are narrower.
    QFont font = DesignSystem::Fonts::sans(side * 0.5, QFont::Bold);
    const qreal room = side * 0.92;
    const qreal width = QFontMetricsF(font).horizontalAdvance(m_text);
    if (width > room)
        font.setPixelSize(qMax(1, qFloor(font.pixelSize() * room / width)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRectF textBox(square.left(), square.top() + side * 0.5, side, side * 0.5);
    painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignVCenter, m_text);
    painter.restore();
}

QIcon TrayImage::icon() const
{
    return paintedIcon(
        [image = *this](QPainter &painter, const QRectF &square) { image.paint(painter, square); },
        {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}});
}

} // namespace velorinth
