#include "main_window/duration_section.h"

#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/transition_host.h"
#include "main_window/controls/adjust_button.h"
#include "main_window/controls/premium_slider.h"
#include "main_window/controls/quick_action_chip.h"
#include "main_window/rolling_label.h"
#include "main_window/section_caption.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
constexpr int kPreferredWidth = 320;
constexpr int kGroupSpacing = 28;
constexpr int kCaptionSpacing = 8;
constexpr int kValueRowHeight = 100;
constexpr int kValueRowSpacing = 20;
constexpr int kNumberMinimumWidth = 120;
constexpr int kUnitSpacing = 4;
constexpr int kFineTuningPadding = 30;
constexpr int kFineTuningSpacing = 20;
constexpr int kChipSpacing = 10;
// The slider's range: the shortest and longest sessions this screen sets.
constexpr PremiumSlider::Range kMinutesRange{5.0, 180.0};
// The number rolls at every change; one that came without an animation (a slider drag,
// an arrow key) rolls with the platform's default one.
constexpr Animation kDefaultRoll = Animation::systemDefault();

// Cut toward zero: 29.9 minutes show 29.
QString wholeMinutes(double minutes)
{
    return QString::number(static_cast<qint64>(std::trunc(minutes)));
}

int up(qreal v)
{
    return static_cast<int>(std::ceil(v));
}
} // namespace

DurationSection::DurationSection(Binding<double> minutes, std::function<void(double)> addTime,
                                 QWidget *parent)
    : QWidget(parent)
    , m_minutes(minutes)
    , m_caption(sectionCaption(QStringLiteral("DURÉE DE SESSION")))
    , m_unit(QStringLiteral("min"), DesignSystem::Fonts::display(24))
    , m_unitAscent(QFontMetricsF(DesignSystem::Fonts::display(24)).ascent())
    , m_minus(new AdjustButton(
          QStringLiteral("minus"), QStringLiteral("Retirer 5 minutes"), [addTime] { addTime(-5); },
          this))
    , m_number(new RollingLabel(DesignSystem::Fonts::display(84), DesignSystem::Colors::textPrimary,
                                this))
    , m_plus(new AdjustButton(
          QStringLiteral("plus"), QStringLiteral("Ajouter 5 minutes"), [addTime] { addTime(5); },
          this))
    , m_slider(new PremiumSlider(std::move(minutes), kMinutesRange, this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const std::pair<QString, double> chips[] = {{QStringLiteral("-15"), -15.0},
                                                {QStringLiteral("+15"), 15.0},
                                                {QStringLiteral("+30"), 30.0},
                                                {QStringLiteral("+60"), 60.0}};
    for (const auto &[label, added] : chips) {
        m_chips.append(new QuickActionChip(
            label, [addTime, added] { addTime(added); }, this));
    }
    // The number becomes the running screen's remaining time when the screens swap.
    TransitionHost::setMatchedId(m_number, QStringLiteral("timerText"));
    m_minutes.onChange(this, [this] { refresh(); });
    connect(m_number, &RollingLabel::frameWidthChanged, this, &DurationSection::layOut);
    m_number->setText(wholeMinutes(m_minutes.get()), Animation::none());
}

QSize DurationSection::sizeHint() const
{
    const int height = up(m_caption.size().height()) + kCaptionSpacing + kValueRowHeight
        + kGroupSpacing + frameSizeOf(m_slider).height() + kFineTuningSpacing
        + rowSize(m_chips, kChipSpacing).height();
    return {kPreferredWidth, height};
}

void DurationSection::refresh()
{
    const Animation animation = currentAnimation();
    m_number->setText(wholeMinutes(m_minutes.get()),
                      animation.isInstant() ? kDefaultRoll : animation);
}

void DurationSection::resizeEvent(QResizeEvent *)
{
    layOut();
}

void DurationSection::layOut()
{
    const int centreX = width() / 2;
    int y = up(m_caption.size().height()) + kCaptionSpacing;

    // Minus, the number with its unit on one baseline, plus.
    const QSize number = frameSizeOf(m_number);
    const int content = number.width() + kUnitSpacing + up(m_unit.size().width());
    const int group = std::max(kNumberMinimumWidth, content);
    const int rowCentreY = y + kValueRowHeight / 2;
    const QSize button = frameSizeOf(m_minus);
    const int rowLeft = centreX - (2 * button.width() + 2 * kValueRowSpacing + group) / 2;
    setFrame(m_minus, QRect(QPoint(rowLeft, rowCentreY - button.height() / 2), button));
    const int numberLeft = rowLeft + button.width() + kValueRowSpacing + (group - content) / 2;
    const QRect numberFrame(QPoint(numberLeft, rowCentreY - number.height() / 2), number);
    setFrame(m_number, numberFrame);
    setFrame(m_plus,
             QRect(QPoint(rowLeft + button.width() + 2 * kValueRowSpacing + group,
                          rowCentreY - button.height() / 2),
                   button));
    const qreal baseline = numberFrame.top() + m_number->baseline();
    m_unitCentre = {numberFrame.left() + numberFrame.width() + kUnitSpacing
                        + m_unit.size().width() / 2,
                    baseline - m_unitAscent + m_unit.size().height() / 2};
    y += kValueRowHeight + kGroupSpacing;

    const QSize slider(width() - 2 * kFineTuningPadding, frameSizeOf(m_slider).height());
    setFrame(m_slider, QRect(QPoint(kFineTuningPadding, y), slider));
    y += slider.height() + kFineTuningSpacing;
    placeRow(m_chips, kChipSpacing, {centreX, y + rowSize(m_chips, kChipSpacing).height() / 2});
    update();
}

void DurationSection::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(DesignSystem::Colors::textTertiary);
    m_caption.paint(painter, {width() / 2.0, m_caption.size().height() / 2});
    painter.setPen(DesignSystem::Colors::textSecondary);
    m_unit.paint(painter, m_unitCentre);
}

} // namespace velorinth
