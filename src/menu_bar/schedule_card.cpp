#include "menu_bar/schedule_card.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/symbols.h"
#include "engine/sleep_manager.h"
#include "menu_bar/caption_font.h"
#include "menu_bar/wide_button.h"

#include <QLocale>
#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kPadding = 16.0; // leading and trailing
constexpr qreal kRowToButton = 12.0;
constexpr qreal kIconSize = 22.0;
constexpr qreal kIconToText = 10.0;
constexpr qreal kTimeToCaption = 2.0;
constexpr qreal kCaptionSpacing = 4.0;
constexpr qreal kUntilOpacity = 0.8;

WideButton::Look startLook()
{
    using DesignSystem::Colors::applePurple;
    return {DesignSystem::Fonts::sans(11, QFont::DemiBold),
            10.0,
            applePurple,
            withOpacity(applePurple, 0.1),
            withOpacity(applePurple, 0.25),
            0.5,
            10.0,
            8.0,
            6.0};
}
} // namespace

QString ScheduleCard::clockText(const QDateTime &time)
{
    // The C locale's own format, so no system preference turns it into 12-hour time.
    static const QString format = QStringLiteral("HH:mm");
    return QLocale::c().toString(time.toLocalTime(), format);
}

ScheduleCard::ScheduleCard(SleepManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_time(QString(), DesignSystem::Fonts::mono(28))
    , m_caption(QStringLiteral("VEILLE PLANIFIÉE"), captionFont())
    , m_separator(QStringLiteral("\u00B7"), DesignSystem::Fonts::sans(8))
    , m_start(new WideButton(
          startLook(), QStringLiteral("play.fill"), QStringLiteral("Lancer maintenant"),
          [&manager] { manager.startTimer(); }, this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    refreshTime();
    refreshUntil();
    connect(&manager, &SleepManager::scheduledTimeChanged, this, &ScheduleCard::refreshTime);
    connect(&manager, &SleepManager::timeUntilScheduleChanged, this, &ScheduleCard::refreshUntil);
}

void ScheduleCard::refreshTime()
{
    m_time = TextLine(clockText(m_manager.scheduledTime()), DesignSystem::Fonts::mono(28));
    m_row.invalidate();
    update();
}

void ScheduleCard::refreshUntil()
{
    const std::optional<QString> until = m_manager.timeUntilSchedule();
    m_until.reset();
    if (until)
        m_until.emplace(*until, DesignSystem::Fonts::sans(8, QFont::Medium));
    m_row.invalidate();
    update();
}

qreal ScheduleCard::rowHeight() const
{
    return std::max(kIconSize, m_time.size().height() + kTimeToCaption + m_caption.size().height());
}

QSize ScheduleCard::sizeHint() const
{
    const QSize button = frameSizeOf(m_start);
    return {static_cast<int>(std::ceil(2 * kPadding + button.width())),
            static_cast<int>(std::ceil(rowHeight() + kRowToButton + button.height()))};
}

void ScheduleCard::resizeEvent(QResizeEvent *)
{
    setFrame(m_start,
             QRectF(kPadding, rowHeight() + kRowToButton, width() - 2 * kPadding,
                    frameSizeOf(m_start).height()));
}

void ScheduleCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_row.paint(painter, QRect(0, 0, width(), static_cast<int>(std::ceil(rowHeight()))), {},
                [this](QPainter &row) { paintRow(row); });
}

void ScheduleCard::paintRow(QPainter &painter) const
{
    using namespace DesignSystem::Colors;
    const qreal middle = rowHeight() / 2.0;
    Symbols::paint(painter, QStringLiteral("clock.fill"), {kPadding + kIconSize / 2.0, middle},
                   kIconSize, QFont::Normal, applePurple);

    const qreal left = kPadding + kIconSize + kIconToText;
    const qreal top =
        middle - (m_time.size().height() + kTimeToCaption + m_caption.size().height()) / 2.0;
    painter.setPen(textPrimary);
    m_time.paint(painter, {left + m_time.size().width() / 2.0, top + m_time.size().height() / 2.0});

    const qreal captionMiddle =
        top + m_time.size().height() + kTimeToCaption + m_caption.size().height() / 2.0;
    qreal x = left;
    const auto put = [&](const TextLine &text, const QColor &colour) {
        painter.setPen(colour);
        text.paint(painter, {x + text.size().width() / 2.0, captionMiddle});
        x += text.size().width() + kCaptionSpacing;
    };
    put(m_caption, textTertiary);
    if (m_until) {
        put(m_separator, textQuaternary);
        put(*m_until, withOpacity(applePurple, kUntilOpacity));
    }
}

} // namespace velorinth
