#include "menu_bar/batt_install_sheet.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/symbols.h"
#include "engine/sleep_manager.h"
#include "menu_bar/install_step.h"
#include "menu_bar/wide_button.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kPadding = 24.0; // leading and trailing of every part
constexpr qreal kTopPadding = 28.0;
constexpr qreal kHeaderSpacing = 12.0;
constexpr qreal kIconSize = 64.0;
constexpr qreal kBoltSize = 26.0;
constexpr qreal kDividerMargin = 20.0;
constexpr qreal kStepSpacing = 12.0;
constexpr qreal kLogTop = 14.0;
constexpr qreal kLeastSpace = 20.0; // above the buttons
constexpr qreal kButtonSpacing = 10.0;
constexpr qreal kBottomPadding = 24.0;
constexpr qreal kLineSpacing = 3.0;
constexpr qreal kTextWidth = BattInstallSheet::kWidth - 2 * kPadding;

const QColor kOrange = QColor::fromRgbF(1.0f, 0.58f, 0.0f);

const QString kInstallIcon = QStringLiteral("arrow.down.circle.fill");
const QString kInstallText = QStringLiteral("Installer batt automatiquement");
const QString kInstallingText = QStringLiteral("Installation…");

WideButton::Look installLook()
{
    return {DesignSystem::Fonts::sans(13, QFont::Bold),
            13.0,
            Qt::black,
            BattInstallSheet::gold(),
            QColor(),
            0.0,
            12.0,
            13.0,
            8.0};
}

WideButton::Look notNowLook()
{
    using namespace DesignSystem::Colors;
    return {DesignSystem::Fonts::sans(13),
            0.0,
            textSecondary,
            glassBackground,
            glassBorder,
            0.5,
            12.0,
            11.0,
            0.0};
}

// The explanation, with the helper's name in bold, centred: why the helper is needed and that
// Velorinth can install it, or, where it cannot exist, why the option is unavailable.
void fillExplanation(QTextDocument &document, bool offersInstall)
{
    document.setDocumentMargin(0.0);
    document.setDefaultFont(DesignSystem::Fonts::sans(13));
    document.setTextWidth(kTextWidth);
    QTextCursor cursor(&document);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    block.setLineHeight(kLineSpacing, QTextBlockFormat::LineDistanceHeight);
    cursor.setBlockFormat(block);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Le contrôle LED MagSafe nécessite l'utilitaire "));
    cursor.insertText(QStringLiteral("batt"), bold);
    if (!offersInstall) {
        cursor.insertText(QStringLiteral(", qui n'existe que pour les Mac."), QTextCharFormat());
        return;
    }
    cursor.insertText(QStringLiteral("."), QTextCharFormat());
    cursor.insertBlock(block);
    cursor.insertText(QStringLiteral("Velorinth peut l'installer automatiquement pour toi."));
}
} // namespace

QColor BattInstallSheet::gold()
{
    return QColor::fromRgbF(0.98f, 0.78f, 0.1f);
}

BattInstallSheet::BattInstallSheet(SleepManager &manager, std::function<void()> dismiss,
                                   QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_offersInstall(manager.host().canInstallBatt)
    , m_title(QStringLiteral("Installer batt"), DesignSystem::Fonts::sans(18, QFont::Bold))
    , m_steps{new InstallStep(QStringLiteral("1"),
                              QStringLiteral("Homebrew sera installé s'il est absent"), this),
              new InstallStep(QStringLiteral("2"),
                              QStringLiteral("batt sera installé via Homebrew"), this),
              new InstallStep(QStringLiteral("3"),
                              QStringLiteral("Le daemon batt démarrera automatiquement"), this)}
    , m_install(new WideButton(
          installLook(), kInstallIcon, kInstallText, [&manager] { manager.installBatt(); }, this))
    , m_notNow(new WideButton(notNowLook(), QString(), QStringLiteral("Pas maintenant"),
                              std::move(dismiss), this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    fillExplanation(m_explanation, m_offersInstall);
    for (InstallStep *step : m_steps)
        step->setVisible(m_offersInstall);
    m_install->setVisible(m_offersInstall);
    m_log.setTextFormat(Qt::PlainText);
    m_log.setTextWidth(kTextWidth);
    m_log.setTextOption(QTextOption(Qt::AlignHCenter));
    refresh();
    connect(&manager, &SleepManager::isBattInstallingChanged, this, &BattInstallSheet::refresh);
    connect(&manager, &SleepManager::battInstallLogChanged, this, &BattInstallSheet::refresh);
}

void BattInstallSheet::refresh()
{
    const bool installing = m_manager.isBattInstalling();
    m_install->setEnabled(!installing);
    m_install->setSpinning(installing);
    m_install->setContent(installing ? QString() : kInstallIcon,
                          installing ? kInstallingText : kInstallText);
    const QString log = m_manager.battInstallLog();
    if (log != m_log.text()) {
        m_log.setText(log);
        m_log.prepare(QTransform(), DesignSystem::Fonts::mono(11));
        updateGeometry();
    }
    layOut();
    update();
}

BattInstallSheet::Layout BattInstallSheet::layout(qreal height) const
{
    Layout l;
    qreal y = kTopPadding;
    l.icon = QRectF((kWidth - kIconSize) / 2.0, y, kIconSize, kIconSize);
    y += kIconSize + kHeaderSpacing;
    if (!m_offersInstall) {
        // Only why the option is unavailable here, then the way out.
        l.explanationTop = y;
        y += m_explanation.size().height();
        return placeButtons(l, y, height);
    }
    l.titleTop = y;
    y += m_title.size().height() + kHeaderSpacing;
    l.explanationTop = y;
    y += m_explanation.size().height() + kDividerMargin;
    l.dividerTop = y;
    y += 1.0 + kDividerMargin;
    for (size_t i = 0; i < m_steps.size(); ++i) {
        const qreal stepHeight = m_steps[i]->heightForWidth(static_cast<int>(kTextWidth));
        l.steps[i] = QRectF(kPadding, y, kTextWidth, stepHeight);
        y += stepHeight + (i + 1 < m_steps.size() ? kStepSpacing : 0.0);
    }
    l.log = QRectF();
    if (!m_log.text().isEmpty()) {
        y += kLogTop;
        l.log = QRectF(QPointF(kPadding, y), QSizeF(kTextWidth, m_log.size().height()));
        y += l.log.height();
    }
    return placeButtons(l, y, height);
}

BattInstallSheet::Layout BattInstallSheet::placeButtons(Layout l, qreal contentBottom,
                                                        qreal height) const
{
    const qreal install = m_offersInstall ? frameSizeOf(m_install).height() : 0.0;
    const qreal aboveNotNow = m_offersInstall ? install + kButtonSpacing : 0.0;
    const qreal notNow = frameSizeOf(m_notNow).height();
    const qreal buttons = aboveNotNow + notNow;
    l.height = contentBottom + kLeastSpace + buttons + kBottomPadding;
    // A taller sheet gives the room to the space above the buttons.
    const qreal buttonsTop =
        std::max(contentBottom + kLeastSpace, height - kBottomPadding - buttons);
    l.install = m_offersInstall ? QRectF(kPadding, buttonsTop, kTextWidth, install) : QRectF();
    l.notNow = QRectF(kPadding, buttonsTop + aboveNotNow, kTextWidth, notNow);
    return l;
}

QSize BattInstallSheet::sizeHint() const
{
    return {static_cast<int>(kWidth), static_cast<int>(std::ceil(layout(0.0).height))};
}

qreal BattInstallSheet::columnLeft() const
{
    return std::round((width() - kWidth) / 2.0);
}

void BattInstallSheet::resizeEvent(QResizeEvent *)
{
    layOut();
}

void BattInstallSheet::layOut()
{
    m_layout = layout(height());
    const QPointF offset(columnLeft(), 0.0);
    for (size_t i = 0; i < m_steps.size(); ++i)
        m_steps[i]->setGeometry(m_layout.steps[i].translated(offset).toRect());
    setFrame(m_install, m_layout.install.translated(offset));
    setFrame(m_notNow, m_layout.notNow.translated(offset));
}

void BattInstallSheet::paintEvent(QPaintEvent *)
{
    using namespace DesignSystem::Colors;
    QPainter painter(this);
    painter.fillRect(rect(), deepBlack);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(columnLeft(), 0.0);

    QLinearGradient disc(m_layout.icon.topLeft(), m_layout.icon.bottomRight());
    disc.setColorAt(0.0, withOpacity(gold(), 0.2));
    disc.setColorAt(1.0, withOpacity(kOrange, 0.15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(m_layout.icon);
    Symbols::paint(painter, QStringLiteral("bolt.fill"), m_layout.icon.center(), kBoltSize,
                   QFont::DemiBold, gold());

    if (m_offersInstall) {
        painter.setPen(Qt::white);
        m_title.paint(painter, {kWidth / 2.0, m_layout.titleTop + m_title.size().height() / 2.0});
    }

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, textSecondary);
    painter.save();
    painter.translate(kPadding, m_layout.explanationTop);
    m_explanation.documentLayout()->draw(&painter, context);
    painter.restore();

    if (m_offersInstall)
        painter.fillRect(QRectF(-columnLeft(), m_layout.dividerTop, width(), 1.0), glassBorder);

    if (!m_layout.log.isEmpty()) {
        painter.setPen(textSecondary);
        painter.setFont(DesignSystem::Fonts::mono(11));
        painter.drawStaticText(m_layout.log.topLeft(), m_log);
    }
}

} // namespace velorinth
