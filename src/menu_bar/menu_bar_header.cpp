#include "menu_bar/menu_bar_header.h"

#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/symbols.h"
#include "menu_bar/round_symbol_button.h"

#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kHorizontalPadding = 16.0;
constexpr qreal kVerticalPadding = 12.0;
constexpr qreal kSpacing = 8.0;
constexpr qreal kMoonSize = 13.0;

RoundSymbolButton::Look buttonLook(const QString &icon, QFont::Weight weight,
                                   const QColor &hoverColour)
{
    using namespace DesignSystem::Colors;
    return {icon, 10.0, weight, 7.0, textTertiary, hoverColour, glassBackground};
}
} // namespace

MenuBarHeader::MenuBarHeader(std::function<void()> onOpenApp, std::function<void()> onQuit,
                             QWidget *parent)
    : QWidget(parent)
    , m_title(QStringLiteral("Velorinth"), DesignSystem::Fonts::display(13))
    , m_open(new RoundSymbolButton(buttonLook(QStringLiteral("arrow.up.forward.app"),
                                              QFont::DemiBold, DesignSystem::Colors::appleBlue),
                                   QStringLiteral("Ouvrir Velorinth"), std::move(onOpenApp), this))
    , m_quit(new RoundSymbolButton(
          buttonLook(QStringLiteral("power"), QFont::Bold, DesignSystem::Colors::applePink),
          QStringLiteral("Quitter Velorinth"), std::move(onQuit), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize MenuBarHeader::sizeHint() const
{
    const QSize button = frameSizeOf(m_open);
    const qreal content = std::max({kMoonSize, m_title.size().height(), qreal(button.height())});
    return {static_cast<int>(std::ceil(2 * kHorizontalPadding + kMoonSize + m_title.size().width()
                                       + 2 * button.width() + 3 * kSpacing)),
            static_cast<int>(std::ceil(2 * kVerticalPadding + content))};
}

void MenuBarHeader::resizeEvent(QResizeEvent *)
{
    const qreal middle = height() / 2.0;
    qreal right = width() - kHorizontalPadding;
    for (RoundSymbolButton *button : {m_quit, m_open}) {
        const QSize size = frameSizeOf(button);
        setFrame(button, QRectF(QPointF(right - size.width(), middle - size.height() / 2.0), size));
        right -= size.width() + kSpacing;
    }
}

void MenuBarHeader::paintEvent(QPaintEvent *)
{
    QPainter window(this);
    m_picture.paint(window, *this, {}, [this](QPainter &painter) {
        const qreal middle = height() / 2.0;
        Symbols::paint(painter, QStringLiteral("moon.stars.fill"),
                       {kHorizontalPadding + kMoonSize / 2.0, middle}, kMoonSize, QFont::Normal,
                       DesignSystem::Gradients::primaryAccent);
        painter.setPen(DesignSystem::Colors::textPrimary);
        m_title.paint(
            painter,
            {kHorizontalPadding + kMoonSize + kSpacing + m_title.size().width() / 2.0, middle});
    });
}

} // namespace velorinth
