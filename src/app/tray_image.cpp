#include "app/tray_image.h"

#include "app/app_icon.h"
#include "app/painted_icon.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>

namespace velorinth {

namespace {

// The app icon fills 18 of the 22 points a tray usually gives, like the tray's other icons.
constexpr qreal kIdleShare = 18.0 / 22.0;
// Of the plate's side: the margins beside and around the time (the round corners leave the
// middle of the sides free), and of what is left, the digits' height.
constexpr qreal kSideMargin = 0.05;
constexpr qreal kMargin = 0.07;
constexpr qreal kTimeHeight = 0.8;
// How far a long time ("1h05") is narrowed, and its letters brought closer, before it is made
// smaller.
constexpr qreal kNarrowest = 0.62;
constexpr qreal kLetterSpacing = 92.0;
// The time is outlined at this size, then scaled to the plate.
constexpr qreal kDrawnSize = 100.0;
constexpr qreal kMoonOpacity = 0.3;
// Qt's raster engine hands a fill of 96 spans or more to its thread pool unless the paint is
// one opaque colour: a gradient or a translucent shape at tray sizes wakes its threads at each
// new picture, that is each second of the last minute. So the shapes are drawn in opaque white;
// the gradient comes from filling whole rows, one span each, no more than this many at a time,
// and the moon's faintness from blending a picture of it.
constexpr int kRowsPerFill = 64;

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

// Corner to corner of `square`, given in the painted image's pixels so that each band of rows
// takes its own part of it.
QLinearGradient plateGradient(bool urgent, const QRectF &square)
{
    QLinearGradient gradient(square.topLeft(), square.bottomRight());
    gradient.setStops(DesignSystem::Gradients::primaryAccent.stops());
    if (urgent) {
        gradient.setColorAt(0.0, DesignSystem::Colors::applePink);
        gradient.setColorAt(1.0, DesignSystem::Colors::applePurple);
    }
    return gradient;
}

void fillRowsInBands(QPainter &painter, const QRect &area, const QBrush &brush)
{
    for (int top = area.top(); top <= area.bottom(); top += kRowsPerFill)
        painter.fillRect(
            QRect(area.left(), top, area.width(), std::min(kRowsPerFill, area.bottom() + 1 - top)),
            brush);
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
    QImage image = runningImage(painter.deviceTransform().mapRect(square).size().toSize());
    if (image.isNull())
        return;
    image.setDevicePixelRatio(image.width() / square.width());
    painter.drawImage(square.topLeft(), image);
}

QImage TrayImage::runningImage(const QSize &pixels) const
{
    if (pixels.isEmpty())
        return {};
    const QRectF square(QPointF(), pixels);
    const qreal side = square.width();
    QImage moon(pixels, QImage::Format_ARGB32_Premultiplied);
    moon.fill(Qt::transparent);
    QPainter moonPainter(&moon);
    Symbols::paint(moonPainter, m_symbolName, square.center(), side * 0.9, QFont::Bold, Qt::white);
    moonPainter.end();

    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(square, side * 0.24), Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    fillRowsInBands(painter, image.rect(), plateGradient(m_urgent, square));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // The moon stays behind the time, faint: the digits take the whole plate, the only way they
    // read at the 16 to 24 points trays give.
    painter.setOpacity(kMoonOpacity);
    painter.drawImage(0, 0, moon);
    painter.setOpacity(1.0);
    painter.fillPath(timeOutline(square), Qt::white);
    return image;
}

QPainterPath TrayImage::timeOutline(const QRectF &square) const
{
    QFont font = DesignSystem::Fonts::sans(kDrawnSize, QFont::Bold);
    font.setLetterSpacing(QFont::PercentageSpacing, kLetterSpacing);
    QPainterPath text;
    text.addText(0, 0, font, m_text);
    const QRectF ink = text.boundingRect();
    if (ink.isEmpty())
        return {};
    // As tall as the plate allows; a longer time is first narrowed a little, then made smaller.
    const qreal side = square.width();
    const QRectF room =
        square.adjusted(side * kSideMargin, side * kMargin, -side * kSideMargin, -side * kMargin);
    const qreal height = room.height() * kTimeHeight;
    const qreal naturalWidth = ink.width() * height / ink.height();
    const qreal narrowing = std::max(kNarrowest, std::min(1.0, room.width() / naturalWidth));
    const qreal scale =
        std::min(height, room.width() / (ink.width() / ink.height() * narrowing)) / ink.height();
    QTransform place;
    place.translate(room.center().x(), room.center().y());
    place.scale(scale * narrowing, scale);
    place.translate(-ink.center().x(), -ink.center().y());
    return place.map(text);
}

QIcon TrayImage::icon() const
{
    return paintedIcon(
        [image = *this](QPainter &painter, const QRectF &square) { image.paint(painter, square); },
        {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}});
}

} // namespace velorinth
