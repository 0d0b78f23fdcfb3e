#include "design/transition_host.h"

#include "design/animated_value.h"

#include <QEvent>
#include <QHash>
#include <QLayout>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <array>
#include <utility>

namespace velorinth {

namespace {
constexpr char kMatchedId[] = "velorinthMatchedId";

// The element the two views share, as (in `from`, in `to`).
std::pair<QWidget *, QWidget *> matchedPair(QWidget *from, QWidget *to)
{
    if (!from || !to)
        return {};
    QHash<QString, QWidget *> coming;
    for (QWidget *child : to->findChildren<QWidget *>()) {
        if (child->property(kMatchedId).isValid() && child->isVisibleTo(to))
            coming.insert(child->property(kMatchedId).toString(), child);
    }
    for (QWidget *child : from->findChildren<QWidget *>()) {
        QWidget *other = coming.value(child->property(kMatchedId).toString());
        if (other && child->isVisibleTo(from))
            return {child, other};
    }
    return {};
}

// A view that has never been shown has no places for its children yet.
void layOut(QWidget *view)
{
    if (view->layout())
        view->layout()->activate();
    const auto children = view->findChildren<QWidget *>(); // parents before children
    for (QWidget *child : children) {
        if (child->layout())
            child->layout()->activate();
    }
}

// The widget as it shows on screen: unlike grab(), without a window background that it
// never paints there.
QPixmap snapshotOf(QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap snapshot((QSizeF(widget->size()) * ratio).toSize());
    snapshot.setDevicePixelRatio(ratio);
    snapshot.fill(Qt::transparent);
    widget->render(&snapshot, QPoint(), QRegion(), QWidget::DrawChildren);
    return snapshot;
}

// What render() paints of widget's shown children, skipping element, one of its
// descendants: a child that holds it is painted a layer at a time, any other whole.
// Hiding the element instead would make its layout close the gap, and an effect put on
// it would delete the one it may have of its own.
void renderChildrenWithout(QWidget *widget, const QWidget *element, QPainter &painter)
{
    for (QObject *object : widget->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (!child || child == element || child->isHidden() || child->isWindow())
            continue;
        const QRegion within = QRegion(widget->rect().translated(-child->pos())) & child->rect();
        painter.save();
        painter.translate(child->pos());
        if (child->isAncestorOf(element)) {
            child->render(&painter, QPoint(), within, {});
            renderChildrenWithout(child, element, painter);
        } else {
            child->render(&painter, QPoint(), within, QWidget::DrawChildren);
        }
        painter.restore();
    }
}

QPixmap snapshotWithout(QWidget *view, QWidget *element)
{
    if (!element)
        return snapshotOf(view);
    const qreal ratio = view->devicePixelRatioF();
    QPixmap snapshot((QSizeF(view->size()) * ratio).toSize());
    snapshot.setDevicePixelRatio(ratio);
    snapshot.fill(Qt::transparent);
    QPainter painter(&snapshot);
    view->render(&painter, QPoint(), QRegion(), {});
    renderChildrenWithout(view, element, painter);
    return snapshot;
}

QRectF mixed(const QRectF &from, const QRectF &to, qreal progress)
{
    const auto mix = [progress](qreal a, qreal b) { return a + (b - a) * progress; };
    return {mix(from.x(), to.x()), mix(from.y(), to.y()), mix(from.width(), to.width()),
            mix(from.height(), to.height())};
}

// Scaled to fit frame, keeping its proportions, centred.
void paintFitted(QPainter &painter, const QPixmap &pixmap, const QRectF &frame, qreal opacity)
{
    if (pixmap.isNull() || opacity <= 0.0)
        return;
    const QSizeF size = pixmap.deviceIndependentSize().scaled(frame.size(), Qt::KeepAspectRatio);
    const QRectF target(frame.center() - QPointF(size.width(), size.height()) / 2.0, size);
    painter.setOpacity(std::min(opacity, 1.0));
    painter.drawPixmap(target, pixmap, QRectF(pixmap.rect()));
}
} // namespace

TransitionHost::TransitionHost(QWidget *parent)
    : QWidget(parent)
    , m_progress(new AnimatedValue(1.0, this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents); // nothing to click while empty
    connect(m_progress, &AnimatedValue::valueChanged, this, &TransitionHost::progressed);
    connect(m_progress, &QAbstractAnimation::finished, this, &TransitionHost::endSwap);
}

void TransitionHost::setView(QWidget *view, const Transition &transition,
                             const Animation &animation, OnceLeft onceLeft)
{
    if (view && view->parentWidget() != this) {
        view->setParent(this);
        view->hide();
    }
    const Side coming(view, transition, onceLeft);
    if (!isVisible() || animation.isInstant()) {
        swapInstantly(coming);
        return;
    }
    if (!m_swapping) {
        if (view == m_to.view) {
            m_to.transition = transition;
            m_to.onceLeft = onceLeft;
            return;
        }
        startSwap(m_to, coming, animation);
        return;
    }
    if (view == m_to.view || (view == m_from.view && !m_from.isFrozen)) {
        // Back and forth between the same two views: the progress turns round.
        (view == m_to.view ? m_to : m_from).onceLeft = onceLeft;
        m_progress->animateTo(view == m_to.view ? 1.0 : 0.0, animation);
        return;
    }
    startSwap(frozen(), coming, animation);
}

QWidget *TransitionHost::view() const
{
    return comingIn() ? m_to.view : m_from.view;
}

void TransitionHost::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    showCurrent();
}

void TransitionHost::setMatchedId(QWidget *element, const QString &id)
{
    element->setProperty(kMatchedId, id);
}

QSize TransitionHost::sizeHint() const
{
    if (!m_swapping)
        return viewHint();
    const qreal progress = m_progress->value();
    const auto mix = [progress](int a, int b) {
        return std::max(0, qRound(a + (b - a) * progress));
    };
    return {mix(m_from.hint.width(), m_to.hint.width()),
            mix(m_from.hint.height(), m_to.hint.height())};
}

QSize TransitionHost::minimumSizeHint() const
{
    return m_to.view && !m_swapping ? m_to.view->minimumSizeHint() : QSize(0, 0);
}

bool TransitionHost::event(QEvent *event)
{
    // The view's size hint changed.
    if (event->type() == QEvent::LayoutRequest && !m_swapping) {
        updateGeometry();
        showCurrent();
    }
    return QWidget::event(event);
}

void TransitionHost::paintEvent(QPaintEvent *)
{
    if (!m_swapping)
        return;
    QPainter painter(this);
    paintSwap(painter);
}

void TransitionHost::resizeEvent(QResizeEvent *)
{
    if (!m_swapping)
        showCurrent();
}

void TransitionHost::hideEvent(QHideEvent *)
{
    if (!m_swapping)
        return;
    jumpTo(m_progress->target());
    endSwap();
}

QRect TransitionHost::placement(const QWidget *view) const
{
    QSize hint = view->sizeHint();
    if (!hint.isValid())
        hint = size();
    const Qt::Orientations expanding = view->sizePolicy().expandingDirections();
    const QSize size(expanding & Qt::Horizontal ? width() : std::min(hint.width(), width()),
                     expanding & Qt::Vertical ? height() : std::min(hint.height(), height()));
    return QStyle::alignedRect(layoutDirection(), m_alignment, size.boundedTo(view->maximumSize()),
                               rect());
}

QRectF TransitionHost::frameOf(const Side &side) const
{
    return QStyle::alignedRect(layoutDirection(), m_alignment,
                               side.snapshot.deviceIndependentSize().toSize(), rect());
}

QSize TransitionHost::viewHint() const
{
    if (!m_to.view)
        return {0, 0};
    const QSize hint = m_to.view->sizeHint();
    return hint.isValid() ? hint : QSize(0, 0);
}

bool TransitionHost::comingIn() const
{
    return !m_swapping || m_progress->target() == 1.0;
}

void TransitionHost::swapInstantly(Side to)
{
    for (const Side *shown : {&m_from, &m_to}) {
        if (shown->view && shown->view != to.view)
            shown->view->hide();
    }
    m_swapping = false;
    jumpTo(1.0);
    setSides({}, std::move(to));
    showCurrent();
    updateGeometry();
    update();
}

void TransitionHost::startSwap(Side from, Side to, const Animation &animation)
{
    // A swap under way is already frozen into `from`.
    jumpTo(0.0);
    if (to.view) {
        to.view->ensurePolished();
        to.view->setGeometry(placement(to.view));
        layOut(to.view);
    }
    snapshot(from, to);
    if (from.view)
        from.view->hide();
    setSides(std::move(from), std::move(to));
    m_swapping = true;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_progress->animateTo(1.0, animation);
    update();
}

void TransitionHost::jumpTo(double value)
{
    const QSignalBlocker quiet(m_progress);
    m_progress->setValue(value);
}

void TransitionHost::setSides(Side from, Side to)
{
    const std::array<Side, 2> before = {std::exchange(m_from, std::move(from)),
                                        std::exchange(m_to, std::move(to))};
    for (const Side &side : before) {
        QWidget *view = side.view;
        if (view && view != m_from.view && view != m_to.view && side.onceLeft == OnceLeft::Deleted)
            view->deleteLater(); // perhaps from within its own click
    }
}

void TransitionHost::snapshot(Side &from, Side &to) const
{
    const auto [fromElement, toElement] = matchedPair(from.view, to.view);
    for (auto [side, element] : {std::pair{&from, fromElement}, std::pair{&to, toElement}}) {
        if (!side->view)
            continue; // nothing, or a frozen picture that is ready
        side->hint = side->view->sizeHint().expandedTo({0, 0});
        side->snapshot = snapshotWithout(side->view, element);
        if (element) {
            side->element = snapshotOf(element);
            side->elementFrame =
                QRectF(element->mapTo(side->view, QPoint(0, 0)), QSizeF(element->size()));
        }
    }
}

TransitionHost::Side TransitionHost::frozen() const
{
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paintSwap(painter);
    painter.end();
    // It leaves the way the view that was winning would have left.
    Side side(nullptr, (comingIn() ? m_to : m_from).transition);
    side.snapshot = picture;
    side.hint = sizeHint();
    side.isFrozen = true;
    for (const Side *shown : {&m_from, &m_to}) {
        if (shown->view)
            shown->view->hide();
    }
    return side;
}

void TransitionHost::paintSwap(QPainter &painter) const
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal progress = m_progress->value();
    for (auto [side, effect, away] :
         {std::tuple{&m_from, m_from.transition.removal(), progress},
          std::tuple{&m_to, m_to.transition.insertion(), 1.0 - progress}}) {
        const qreal opacity = effect.opacityAt(away);
        if (side->snapshot.isNull() || opacity <= 0.0)
            continue;
        const QRectF frame = frameOf(*side);
        painter.save();
        painter.setOpacity(opacity);
        painter.setTransform(effect.transformAt(away, frame), true);
        painter.drawPixmap(frame.topLeft(), side->snapshot);
        painter.restore();
    }
    if (m_from.element.isNull() || m_to.element.isNull())
        return;
    const QRectF frame = mixed(m_from.elementFrame.translated(frameOf(m_from).topLeft()),
                               m_to.elementFrame.translated(frameOf(m_to).topLeft()), progress);
    painter.save();
    paintFitted(painter, m_from.element, frame, 1.0 - progress);
    paintFitted(painter, m_to.element, frame, progress);
    painter.restore();
}

void TransitionHost::progressed()
{
    update();
    if (m_from.hint != m_to.hint)
        updateGeometry();
}

void TransitionHost::endSwap()
{
    if (!m_swapping)
        return;
    const Side &winner = comingIn() ? m_to : m_from;
    setSides({}, {winner.view, winner.transition, winner.onceLeft});
    m_swapping = false;
    showCurrent();
    updateGeometry();
    update();
}

void TransitionHost::showCurrent()
{
    setAttribute(Qt::WA_TransparentForMouseEvents, !m_to.view || m_swapping);
    if (m_swapping || !m_to.view)
        return;
    m_to.view->setGeometry(placement(m_to.view));
    m_to.view->show();
}

} // namespace velorinth
