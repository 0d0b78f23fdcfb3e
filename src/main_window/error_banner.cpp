#include "main_window/error_banner.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/plain_button.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kDefaultWidth = 320.0; // the window's, until the banner is placed
constexpr qreal kOutsideSide = 16.0;
constexpr qreal kOutsideTop = 12.0;
constexpr qreal kInsideSide = 14.0;
constexpr qreal kInsideVertical = 10.0;
constexpr qreal kSpacing = 10.0;
constexpr qreal kWarningSize = 12.0;
constexpr qreal kCloseSymbolSize = 10.0;
constexpr qreal kClosePadding = 6.0;
constexpr qreal kCloseSize = kCloseSymbolSize + 2 * kClosePadding;
constexpr qreal kCornerRadius = 12.0;
constexpr qreal kHairline = 1.0;
constexpr int kMaxLines = 2;
// Opaque, so that the text stays legible over the splash and the orbs alike.
const QColor kFill = QColor::fromRgbF(0.08f, 0.08f, 0.08f);

QFont messageFont()
{
    return DesignSystem::Fonts::sans(11, QFont::Medium);
}

// The round "xmark" button at the strip's trailing end.
class CloseButton : public PlainButton
{
public:
    CloseButton(std::function<void()> action, QWidget *parent)
        : PlainButton(std::move(action), {}, parent)
    {
        setLabel(QStringLiteral("Fermer"));
    }

protected:
    [[nodiscard]] QSizeF frameSize() const override { return {kCloseSize, kCloseSize}; }
    void paintLook(QPainter &painter) const override
    {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(labelOpacity());
        painter.setPen(Qt::NoPen);
        painter.setBrush(DesignSystem::Colors::glassBackground);
        painter.drawEllipse(frame());
        Symbols::paint(painter, QStringLiteral("xmark"), frame().center(), kCloseSymbolSize,
                       QFont::Bold, DesignSystem::Colors::textTertiary);
    }
};
} // namespace

ErrorBanner::ErrorBanner(const QString &message, std::function<void()> onDismiss, QWidget *parent)
    : QWidget(parent)
    , m_message(message)
    , m_close(new CloseButton(std::move(onDismiss), this))
    , m_shadow(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.4f), 12.0, {0.0, 4.0})
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    resize(qRound(kDefaultWidth), 0);
    layOut();
    resize(sizeHint());
}

void ErrorBanner::setMessage(const QString &message)
{
    if (message == m_message)
        return;
    m_message = message;
    layOut();
    updateGeometry();
    update();
}

QRectF ErrorBanner::strip() const
{
    return {kOutsideSide, kOutsideTop, width() - 2 * kOutsideSide, stripHeight()};
}

QStringList ErrorBanner::shownLines() const
{
    QStringList lines;
    for (const QStaticText &line : m_lines)
        lines.append(line.text());
    return lines;
}

QSize ErrorBanner::sizeHint() const
{
    return {width(),
            static_cast<int>(std::ceil(kOutsideTop + stripHeight() + m_shadow.reach().bottom()))};
}

qreal ErrorBanner::stripHeight() const
{
    const qreal text = m_lines.size() * QFontMetricsF(messageFont()).lineSpacing();
    return 2 * kInsideVertical + std::max({text, kWarningSize, kCloseSize});
}

void ErrorBanner::resizeEvent(QResizeEvent *)
{
    layOut();
}

void ErrorBanner::layOut()
{
    m_picture.invalidate();
    const QFont font = messageFont();
    // The text wraps in what the row leaves it: the symbol, the spacings on either side of
    // the flexible gap and the close button take the rest.
    const qreal textWidth = std::max(0.0,
                                     width() - 2 * kOutsideSide - 2 * kInsideSide - kWarningSize
                                         - 3 * kSpacing - kCloseSize);
    QString text = m_message;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid() && !text.isEmpty();
         line = layout.createLine()) {
        line.setLineWidth(textWidth);
        if (lines.size() == kMaxLines - 1) {
            // The last line shown takes all the rest, cut short where it does not fit.
            QString rest = text.mid(line.textStart());
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            lines.append(QFontMetricsF(font).elidedText(rest, Qt::ElideRight, textWidth));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();

    m_lines.clear();
    for (const QString &line : std::as_const(lines)) {
        QStaticText laidOut(line);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font);
        m_lines.push_back(laidOut);
    }
    const QRectF strip = this->strip();
    m_close->setGeometry(QRectF(strip.right() - kInsideSide - kCloseSize,
                                strip.center().y() - kCloseSize / 2, kCloseSize, kCloseSize)
                             .toRect());
}

void ErrorBanner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(painter, *this, {}, [this](QPainter &picture) { paintLook(picture); });
}

void ErrorBanner::paintLook(QPainter &painter) const
{
    using namespace DesignSystem::Colors;
    const QRectF strip = this->strip();
    painter.setRenderHint(QPainter::Antialiasing);
    m_shadow.paint(painter, strip, kCornerRadius);
    const QPainterPath shape = continuousRoundedRect(strip, kCornerRadius);
    painter.fillPath(shape, kFill);
    painter.strokePath(shape, QPen(withOpacity(applePink, 0.35), kHairline));

    const qreal left = strip.left() + kInsideSide;
    Symbols::paint(painter, QStringLiteral("exclamationmark.triangle.fill"),
                   {left + kWarningSize / 2, strip.center().y()}, kWarningSize, QFont::Normal,
                   applePink);
    const qreal lineSpacing = QFontMetricsF(messageFont()).lineSpacing();
    QPointF at(left + kWarningSize + kSpacing,
               strip.center().y() - m_lines.size() * lineSpacing / 2);
    painter.setFont(messageFont());
    painter.setPen(textPrimary);
    for (const QStaticText &line : m_lines) {
        painter.drawStaticText(at, line);
        at.ry() += lineSpacing;
    }
}

QWidget *ErrorBanner::widgetBelow(QPointF position)
{
    // Look through the banner and the layer that holds it for a moment.
    QWidget *layer = parentWidget() && !parentWidget()->isWindow() ? parentWidget() : nullptr;
    const auto seeThrough = [&](bool through) {
        setAttribute(Qt::WA_TransparentForMouseEvents, through);
        if (layer)
            layer->setAttribute(Qt::WA_TransparentForMouseEvents, through);
    };
    seeThrough(true);
    QWidget *below = window()->childAt(mapTo(window(), position.toPoint()));
    seeThrough(false);
    return below ? below : window();
}

void ErrorBanner::mousePressEvent(QMouseEvent *event)
{
    // The strip takes no press of its own: the window may be dragged by it.
    if (strip().contains(event->position())) {
        event->ignore();
        return;
    }
    m_pressedBelow = widgetBelow(event->position());
    passOn(event);
}

void ErrorBanner::mouseMoveEvent(QMouseEvent *event)
{
    passOn(event);
}

void ErrorBanner::mouseReleaseEvent(QMouseEvent *event)
{
    passOn(event);
    m_pressedBelow.clear();
}

void ErrorBanner::passOn(QMouseEvent *event)
{
    if (!m_pressedBelow) {
        event->ignore();
        return;
    }
    QMouseEvent copy(event->type(), m_pressedBelow->mapFromGlobal(event->globalPosition()),
                     event->scenePosition(), event->globalPosition(), event->button(),
                     event->buttons(), event->modifiers(), event->pointingDevice());
    // The copy makes its own way up from the widget below: this one goes no further.
    QCoreApplication::sendEvent(m_pressedBelow, &copy);
    event->accept();
}

} // namespace velorinth
