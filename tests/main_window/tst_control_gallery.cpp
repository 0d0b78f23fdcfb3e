// Renders the controls in the states the screens' galleries never show (hovered, a value
// past the slider's end) to PNG under the build tree, for people to look at, and checks the
// pixels that tell them apart. Runs at 1x and, through QT_SCALE_FACTOR=2, at 2x.
#include "design/design_system.h"
#include "design/soft_shadow.h"
#include "main_window/controls/adjust_button.h"
#include "main_window/controls/main_button.h"
#include "main_window/control_testing.h"
#include "main_window/controls/premium_slider.h"
#include "support/animation_time.h"
#include "support/gallery.h"
#include "support/pixels.h"

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
    sendMouse(control, QEvent::MouseMove, QRectF(control->contentsRect()).center(), Qt::NoButton);
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

} // namespace

class tst_ControlGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statesTheScreensNeverShow();
};

void tst_ControlGallery::statesTheScreensNeverShow()
{
    Board board(QSize(720, 600));
    const auto nothing = [] {};

    // The buttons clear of the blue orb at the bottom, which would tint the glow below them.
    board.caption({24, 24}, QStringLiteral("MainButton — arrêt, survol, session en cours"));
    auto *start = place(new MainButton(false, nothing, &board), {24, 36});
    hover(place(new MainButton(false, nothing, &board), {234, 36}));
    auto *stop = place(new MainButton(true, nothing, &board), {444, 36});

    board.caption({24, 174}, QStringLiteral("PremiumSlider 5…180 — 180, 190"));
    double minutes[] = {180, 190};
    QList<PremiumSlider *> sliders;
    for (int i = 0; i < 2; ++i) {
        double *value = &minutes[i];
        sliders.append(
            place(new PremiumSlider({[value] { return *value; }, [](double) {}}, {5, 180}, &board),
                  {36 + i * 340, 190}, 300));
    }

    board.caption({24, 274}, QStringLiteral("AdjustButton 40, 40 survol, 44, 44 survol"));
    place(new AdjustButton(QStringLiteral("minus"), QStringLiteral("Retirer"), nothing, &board),
          {24, 296});
    hover(
        place(new AdjustButton(QStringLiteral("plus"), QStringLiteral("Ajouter"), nothing, &board),
              {94, 296}));
    place(new AdjustButton(QStringLiteral("minus"), QStringLiteral("Retirer"), 44, nothing, &board),
          {164, 294});
    hover(place(
        new AdjustButton(QStringLiteral("plus"), QStringLiteral("Ajouter"), 44, nothing, &board),
        {238, 294}));

    setAnimationTimes(&board, 3000);
    const QImage image = board.grab().toImage();
    QVERIFY(saveToGallery(QStringLiteral("controls"), image));

    // A blue glow below the start button, none below the stop button.
    const QRectF belowStart =
        frameOf(start).translated(0, frameOf(start).height()).adjusted(20, 0, -20, -40);
    const QRectF belowStop =
        frameOf(stop).translated(0, frameOf(stop).height()).adjusted(20, 0, -20, -40);
    const auto bluish = [](QColor c) { return c.blue() > c.red() + 8; };
    QVERIFY(countPixels(image, belowStart, bluish) > countPixels(image, belowStop, bluish) + 100);

    // The slider's thumb sits at the end of the track, and past it for a value beyond.
    const auto thumbAt = [&](PremiumSlider *slider, qreal fraction) {
        const QRectF track = frameOf(slider);
        const QPointF centre(track.left() + fraction * track.width(), track.center().y());
        return countPixels(image, QRectF(centre - QPointF(3, 3), QSizeF(6, 6)), isWhite);
    };
    QVERIFY(thumbAt(sliders[0], 1.0) > 0);
    QVERIFY(thumbAt(sliders[1], 185.0 / 175.0) > 0);
    QCOMPARE(thumbAt(sliders[0], 185.0 / 175.0), 0);
}

QTEST_MAIN(tst_ControlGallery)
#include "tst_control_gallery.moc"
