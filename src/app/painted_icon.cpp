#include "app/painted_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace velorinth {

namespace {

class PaintedIconEngine final : public QIconEngine
{
public:
    PaintedIconEngine(IconPainter paint, QList<QSize> sizes)
        : m_paint(std::move(paint))
        , m_sizes(std::move(sizes))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        QRectF square(0, 0, side, side);
        square.moveCenter(QRectF(rect).center());
        painter->save();
        m_paint(*painter, square);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return m_sizes; }
    QString key() const override { return QStringLiteral("velorinth.painted"); }
    QIconEngine *clone() const override { return new PaintedIconEngine(m_paint, m_sizes); }

private:
    IconPainter m_paint;
    QList<QSize> m_sizes;
};

} // namespace

QIcon paintedIcon(IconPainter paint, const QList<QSize> &sizes)
{
    return QIcon(new PaintedIconEngine(std::move(paint), sizes));
}

} // namespace velorinth
