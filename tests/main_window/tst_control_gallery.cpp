// Renders every control in its states to PNG under the build tree, for people to look at,
// and checks the few pixels that tell the states apart. Runs at 1x and, through
// QT_SCALE_FACTOR=2, at 2x.
#include "design/design_system.h"
#include "design/soft_shadow.h"
#include "design/starfield.h"
#include "design/transition_host.h"
#include "main_window/controls/adjust_button.h"
#include "main_window/controls/feature_toggle.h"
#include "main_window/controls/main_button.h"
#include "main_window/controls/mode_tab_button.h"
#include "main_window/controls/premium_slider.h"
#include "main_window/controls/quick_action_chip.h"
#include "main_window/controls/status_indicator.h"
#include "support/animation_time.h"
#include "support/pixels.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QtTest>

using namespace velorinth;

namespace {

// The dark ground with two soft orbs, so glass and glows show as they will in the window.
class Board : public QWidget
{
public:
    explicit Board(QSize size)
    {
        resize(size);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void caption(QPoint at, const QString &text) { m_captions.append({at, text}); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), DesignSystem::Colors::deepBlack);
        const QColor purple = DesignSystem::Colors::applePurple;
        const QColor blue = DesignSystem::Colors::appleBlue;
        SoftShadow(QColor::fromRgbF(purple.redF(), purple.greenF(), purple.blueF(), 0.15f), 80)
            .paint(painter, QRectF(width() - 380, 120, 400, 400), 200);
        SoftShadow(QColor::fromRgbF(blue.redF(), blue.greenF(), blue.blueF(), 0.12f), 80)
            .paint(painter, QRectF(-80, height() - 300, 350, 350), 175);
        painter.setFont(DesignSystem::Fonts::sans(10, QFont::Medium));
        painter.setPen(DesignSystem::Colors::textTertiary);
        for (const auto &[at, text] : m_captions)
            painter.drawText(at, text);
    }

private:
    QList<std::pair<QPoint, QString>> m_captions;
};

void hover(QWidget *control)
{
    const QPointF centre = QRectF(control->contentsRect()).center();
    QMouseEvent move(QEvent::MouseMove, centre, control->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &move);
}

// Places a control so that its frame (not its spill margin) starts at `frame`.
template<typename Control>
Control *place(Control *control, QPoint frame, int width = -1)
{
    const QMargins spill = control->contentsMargins();
    QSize size = control->sizeHint();
    if (width > 0)
        size.setWidth(width + spill.left() + spill.right());
    control->setGeometry(QRect(frame - QPoint(spill.left(), spill.top()), size));
    return control;
}

QRectF frameOf(const QWidget *control)
{
    return QRectF(control->geometry().marginsRemoved(control->contentsMargins()));
}

// A stand-in for a setup or running screen: the number the two share, over a row of
// controls.
QWidget *screen(const QString &number, const QFont &font, const QList<QWidget *> &controls)
{
    auto *screen = new QWidget;
    auto *label = new QLabel(number);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white"));
    TransitionHost::setMatchedId(label, QStringLiteral("timerText"));
    auto *row = new QHBoxLayout;
    for (QWidget *control : controls)
        row->addWidget(control);
    auto *column = new QVBoxLayout(screen);
    column->addWidget(label, 0, Qt::AlignCenter);
    column->addLayout(row);
    return screen;
}

QString galleryPath(const QString &name, const QImage &image)
{
    return QDir(QStringLiteral(VELORINTH_GALLERY_DIR))
        .filePath(QStringLiteral("%1@%2x.png").arg(name).arg(image.devicePixelRatio()));
}

} // namespace

class tst_ControlGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controls();
    void starfield();
    void transitionStrip();
};

void tst_ControlGallery::initTestCase()
{
    QVERIFY(QDir().mkpath(QStringLiteral(VELORINTH_GALLERY_DIR)));
}

void tst_ControlGallery::controls()
{
    Board board(QSize(720, 600));
    const auto nothing = [] {};
    double minutes[] = {5, 60, 180, 190};
    bool options[] = {true, false, false};

    board.caption({24, 24}, QStringLiteral("ModeTabButton — sélectionné, non sélectionné"));
    auto *timerTab = place(new ModeTabButton(QStringLiteral("Minuterie"), QStringLiteral("timer"),
                                             true, nothing, &board),
                           {24, 36});
    auto *scheduleTab = place(new ModeTabButton(QStringLiteral("Planifié"), QStringLiteral("clock"),
                                                false, nothing, &board),
                              {timerTab->geometry().right() + 8, 36});

    board.caption({24, 104}, QStringLiteral("MainButton — arrêt, survol, session en cours"));
    auto *start = place(new MainButton(false, nothing, &board), {24, 116});
    auto *startHovered = place(new MainButton(false, nothing, &board), {234, 116});
    auto *stop = place(new MainButton(true, nothing, &board), {444, 116});

    board.caption({24, 214}, QStringLiteral("PremiumSlider 5…180 — 5, 60, 180, 190"));
    QList<PremiumSlider *> sliders;
    for (int i = 0; i < 4; ++i) {
        double *value = &minutes[i];
        sliders.append(
            place(new PremiumSlider({[value] { return *value; }, [](double) {}}, {5, 180}, &board),
                  {36 + (i % 2) * 340, 230 + (i / 2) * 40}, 300));
    }

    board.caption({24, 334}, QStringLiteral("FeatureToggle — on, off, off ; QuickActionChip"));
    const QString toggleIcons[] = {QStringLiteral("speaker.wave.2.fill"),
                                   QStringLiteral("sun.min.fill"),
                                   QStringLiteral("lightbulb.slash")};
    const QString toggleLabels[] = {QStringLiteral("Volume"), QStringLiteral("Écran"),
                                    QStringLiteral("LED")};
    for (int i = 0; i < 3; ++i) {
        bool *on = &options[i];
        place(new FeatureToggle({[on] { return *on; }, [on](bool v) { *on = v; }}, toggleIcons[i],
                                toggleLabels[i], &board),
              {24 + i * 95, 348});
    }
    int chipX = 330;
    for (const QString &label : {QStringLiteral("-15"), QStringLiteral("+15"),
                                 QStringLiteral("+30"), QStringLiteral("+60")}) {
        auto *chip = place(new QuickActionChip(label, nothing, &board), {chipX, 372});
        chipX = static_cast<int>(frameOf(chip).right()) + 10;
    }

    board.caption(
        {24, 470},
        QStringLiteral(
            "StatusIndicator — on, off, off ; AdjustButton 40, 40 survol, 44, 44 survol"));
    QList<StatusIndicator *> indicators;
    for (int i = 0; i < 3; ++i)
        indicators.append(
            place(new StatusIndicator(i == 0, toggleIcons[i], &board), {24 + i * 50, 494}));
    place(new AdjustButton(QStringLiteral("minus"), nothing, &board), {220, 491});
    auto *plusHovered =
        place(new AdjustButton(QStringLiteral("plus"), nothing, &board), {290, 491});
    place(new AdjustButton(QStringLiteral("minus"), 44, nothing, &board), {360, 489});
    auto *bigPlusHovered =
        place(new AdjustButton(QStringLiteral("plus"), 44, nothing, &board), {434, 489});

    hover(startHovered);
    hover(plusHovered);
    hover(bigPlusHovered);
    setAnimationTimes(&board, 3000);
    const QImage image = board.grab().toImage();
    QVERIFY(image.save(galleryPath(QStringLiteral("controls"), image)));

    // "LANCER" white on the gradient with a blue glow below; "ARRÊTER" pink on glass.
    QVERIFY(countPixels(image, frameOf(start), isWhite) > 20);
    QCOMPARE(countPixels(image, frameOf(start), isPink), 0);
    QVERIFY(countPixels(image, frameOf(start).adjusted(4, 4, -4, -4), isBlue) > 1000);
    QVERIFY(countPixels(image, frameOf(stop), isPink) > 20);
    QCOMPARE(countPixels(image, frameOf(stop), isWhite), 0);
    QCOMPARE(countPixels(image, frameOf(stop), isBlue), 0);
    const QRectF belowStart =
        frameOf(start).translated(0, frameOf(start).height()).adjusted(20, 0, -20, -40);
    const QRectF belowStop =
        frameOf(stop).translated(0, frameOf(stop).height()).adjusted(20, 0, -20, -40);
    const auto bluish = [](QColor c) { return c.blue() > c.red() + 8; };
    QVERIFY(countPixels(image, belowStart, bluish) > countPixels(image, belowStop, bluish) + 100);

    // Only the selected tab carries the blue capsule.
    const auto tint = [](QColor c) { return c.blue() > 25 && c.blue() > c.red() + 12; };
    const QRectF tabEdge(frameOf(timerTab).left() + 3, frameOf(timerTab).top() + 6, 6, 6);
    QVERIFY(countPixels(image, tabEdge, tint) > 0);
    QCOMPARE(
        countPixels(image,
                    tabEdge.translated(frameOf(scheduleTab).left() - frameOf(timerTab).left(), 0),
                    tint),
        0);

    // The slider's thumb sits at the start, the end, and past the end of the track.
    const auto thumbAt = [&](PremiumSlider *slider, qreal fraction) {
        const QRectF track = frameOf(slider);
        const QPointF centre(track.left() + fraction * track.width(), track.center().y());
        return countPixels(image, QRectF(centre - QPointF(3, 3), QSizeF(6, 6)), isWhite);
    };
    QVERIFY(thumbAt(sliders[0], 0.0) > 0);
    QVERIFY(thumbAt(sliders[2], 1.0) > 0);
    QVERIFY(thumbAt(sliders[3], 185.0 / 175.0) > 0);
    QCOMPARE(thumbAt(sliders[2], 185.0 / 175.0), 0);

    // The indicator that is on shows a blue symbol; the others none.
    QVERIFY(countPixels(image, frameOf(indicators[0]), isBlue) > 10);
    QCOMPARE(countPixels(image, frameOf(indicators[1]), isBlue), 0);
}

void tst_ControlGallery::starfield()
{
    const QSize size(320, 560);
    for (const int density : {30, 0}) {
        Starfield field(density);
        field.start();
        setAnimationTimes(&field, 2500);
        QImage image(size * qApp->devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(qApp->devicePixelRatio());
        image.fill(DesignSystem::Colors::deepBlack);
        QPainter painter(&image);
        field.paint(painter, QRectF(QPointF(), size));
        painter.end();
        const auto lit = [](QColor c) { return c.lightness() > 12; };
        if (density == 0) {
            QCOMPARE(countPixels(image, QRectF(QPointF(), size), lit), 0);
            continue;
        }
        QVERIFY(image.save(galleryPath(QStringLiteral("starfield"), image)));
        QVERIFY(countPixels(image, QRectF(QPointF(), size), lit) >= density);
    }
}

void tst_ControlGallery::transitionStrip()
{
    // The screens' swap at a session's start, at progress 0, 1/4, 1/2, 3/4 and 1.
    const QSize size(320, 240);
    Board board(size);
    auto *host = new TransitionHost(&board);
    host->resize(size);
    const auto nothing = [] {};
    const auto scaled = [](qreal from) { return Transition::opacity() + Transition::scale(from); };
    host->setView(screen(QStringLiteral("30"), DesignSystem::Fonts::display(84),
                         {new QuickActionChip(QStringLiteral("-15"), nothing),
                          new QuickActionChip(QStringLiteral("+15"), nothing)}),
                  Transition::asymmetric(scaled(1.1), scaled(0.9)));
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    host->setView(screen(QStringLiteral("30:00"), DesignSystem::Fonts::mono(36),
                         {new StatusIndicator(true, QStringLiteral("speaker.wave.2.fill")),
                          new StatusIndicator(false, QStringLiteral("sun.min.fill"))}),
                  Transition::asymmetric(scaled(0.9), scaled(1.1)), Animation::linear(1.0));

    QImage strip(QSize(5 * size.width(), size.height()) * board.devicePixelRatio(),
                 QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(board.devicePixelRatio());
    QList<QImage> frames;
    QPainter painter(&strip);
    for (int i = 0; i < 5; ++i) {
        setAnimationTimes(&board, i * 250);
        frames.append(board.grab().toImage());
        painter.drawImage(QPointF(i * size.width(), 0), frames.last());
    }
    painter.end();
    QVERIFY(strip.save(galleryPath(QStringLiteral("transition"), strip)));
    // The running screen's lit indicator only at the end; the number all along.
    const QRectF all(QPointF(), size);
    QCOMPARE(countPixels(frames.first(), all, isBlue), 0);
    QVERIFY(countPixels(frames.last(), all, isBlue) > 10);
    const auto light = [](QColor c) { return c.lightness() > 110; };
    for (const QImage &frame : frames)
        QVERIFY(countPixels(frame, all, light) > 50);
}

QTEST_MAIN(tst_ControlGallery)
#include "tst_control_gallery.moc"
