// The tray's images at the 22 points trays give, at 1x and (through QT_SCALE_FACTOR=2) 2x, on
// a dark and a light panel, for people to look at; a few pixels tell the looks apart. The time
// in them, measured at every size trays give, and what drawing them each second costs.
#include "app/app_icon.h"
#include "app/tray_image.h"
#include "support/gallery.h"
#include "support/pixels.h"

#include <QDir>
#include <QPainter>
#include <QtTest>

#include <functional>

using namespace velorinth;

class tst_TrayImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gallery();
    void timeFillsThePlate_data();
    void timeFillsThePlate();
    void lastMinuteWakesNoPooledThread_data();
    void lastMinuteWakesNoPooledThread();
};

namespace {

// The smallest rectangle holding every pixel that passes `test`, in the image's pixels.
QRect inkBox(const QImage &image, const std::function<bool(QColor)> &test)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (test(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Context switches of Qt's pooled threads so far, one more for each thread started.
qint64 pooledThreadWakeUps()
{
    qint64 wakeUps = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &id : ids) {
        QFile name(tasks.filePath(id + "/comm"));
        QFile status(tasks.filePath(id + "/status"));
        if (!name.open(QIODevice::ReadOnly) || !name.readAll().startsWith("Thread (pooled)")
            || !status.open(QIODevice::ReadOnly))
            continue;
        wakeUps += 1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.contains("ctxt_switches:"))
                wakeUps += line.split(':').value(1).trimmed().toLongLong();
        }
    }
    return wakeUps;
}

} // namespace

void tst_TrayImage::gallery()
{
    constexpr int kTray = 22;
    const qreal ratio = qApp->devicePixelRatio();
    const TrayImage images[] = {TrayImage::idle(), TrayImage::running("29:59", false),
                                TrayImage::running("1:05:00", false),
                                TrayImage::running("00:59", true)};
    const QColor panels[] = {QColor(0x20, 0x20, 0x24), QColor(0xee, 0xee, 0xee)};
    const QSize size(kTray * 4 + 30, kTray * 2 + 18);
    QImage board(size * ratio, QImage::Format_ARGB32);
    board.setDevicePixelRatio(ratio);
    board.fill(Qt::transparent);
    QPainter painter(&board);
    for (int row = 0; row < 2; ++row) {
        painter.fillRect(QRectF(0, row * (kTray + 6), size.width(), kTray + 6), panels[row]);
        for (int i = 0; i < 4; ++i) {
            const QIcon icon = images[i].icon();
            icon.paint(&painter, QRect(3 + i * (kTray + 8), 3 + row * (kTray + 6), kTray, kTray));
        }
    }
    painter.end();
    const auto slot = [](int i) { return QRectF(3 + i * (kTray + 8), 3, kTray, kTray); };
    QVERIFY(countPixels(board, slot(0), isBlue) > 20); // the app icon
    // The minutes, white under the moon.
    QVERIFY(countPixels(board, slot(1).adjusted(0, kTray / 2.0, 0, 0), isWhite) > 10);
    QVERIFY(countPixels(board, slot(3), isPink) > 20); // urgent
    QVERIFY(saveToGallery(QStringLiteral("tray_images"), board));

    // The running looks at each size trays give, on a dark panel.
    const int sides[] = {16, 22, 24, 32};
    const QString times[] = {"29:59", "05:00", "00:59", "01:00:00"};
    QImage sizes(QSize(4 * 40, 4 * 40) * ratio, QImage::Format_ARGB32);
    sizes.setDevicePixelRatio(ratio);
    sizes.fill(panels[0]);
    QPainter sizePainter(&sizes);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            TrayImage::running(times[j], j == 2)
                .paint(sizePainter, QRectF(4 + j * 40, 4 + i * 40, sides[i], sides[i]));
    }
    sizePainter.end();
    QVERIFY(saveToGallery(QStringLiteral("tray_sizes"), sizes));
    QVERIFY(AppIcon::image(256).save(VELORINTH_GALLERY_DIR "/app_icon.png"));
}

void tst_TrayImage::timeFillsThePlate_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("time");
    QTest::addColumn<qreal>("share"); // the least height of the digits, of the icon's side

    for (const int side : {16, 22, 24, 32}) {
        const auto row = [&](const char *what, const QString &time, qreal share) {
            QTest::addRow("%d: %s", side, what) << side << time << share;
        };
        row("minutes", "29:59", 0.6);
        row("one digit", "05:00", 0.6);
        row("the last minute", "00:59", 0.45);
        row("hours", "01:00:00", 0.4);
    }
}

void tst_TrayImage::timeFillsThePlate()
{
    QFETCH(int, side);
    QFETCH(QString, time);
    QFETCH(qreal, share);
    const qreal ratio = qApp->devicePixelRatio();
    QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    TrayImage::running(time, false).paint(painter, QRectF(0, 0, side, side));
    painter.end();

    const QRect digits = inkBox(image, isWhite);
    QVERIFY2(digits.height() >= share * side * ratio,
             qPrintable(QString("%1 px tall").arg(digits.height())));
    // Shrunk to fit: nothing of the time touches the plate's edge.
    QVERIFY(image.rect().adjusted(1, 1, -1, -1).contains(digits));
}

void tst_TrayImage::lastMinuteWakesNoPooledThread_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<qreal>("ratio");

    for (const qreal ratio : {1.0, 2.0}) {
        for (const int side : {16, 22, 24, 32, 48})
            QTest::addRow("%d at %gx", side, ratio) << side << ratio;
    }
}

// The tray counts the last minute's seconds, each a new picture, with the window hidden: a
// fill handed to Qt's thread pool would wake its threads each second.
void tst_TrayImage::lastMinuteWakesNoPooledThread()
{
    QFETCH(int, side);
    QFETCH(qreal, ratio);
    QImage tray(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    tray.setDevicePixelRatio(ratio);
    const qint64 before = pooledThreadWakeUps();

    for (int second = 59; second >= 0; --second) {
        const QIcon icon =
            TrayImage::running(QStringLiteral("00:%1").arg(second, 2, 10, QLatin1Char('0')), true)
                .icon();
        tray.fill(Qt::transparent); // as a tray that embeds the icon paints it
        QPainter painter(&tray);
        icon.paint(&painter, QRect(0, 0, side, side));
        painter.end();
        QVERIFY(!icon.pixmap(QSize(side, side), ratio).isNull()); // as a D-Bus tray asks for it
    }

    QCOMPARE(pooledThreadWakeUps(), before);
    QVERIFY(countPixels(tray, QRectF(0, 0, side, side), isWhite) > 0);
}

QTEST_MAIN(tst_TrayImage)
#include "tst_tray_image.moc"
