// The tray's images at the 22 points trays give, at 1x and (through QT_SCALE_FACTOR=2) 2x, on
// a dark and a light panel, for people to look at; a few pixels tell the looks apart.
#include "app/app_icon.h"
#include "app/tray_image.h"
#include "support/gallery.h"
#include "support/pixels.h"

#include <QPainter>
#include <QtTest>

using namespace velorinth;

class tst_TrayImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gallery();
};

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
    QVERIFY(AppIcon::image(256).save(VELORINTH_GALLERY_DIR "/app_icon.png"));
}

QTEST_MAIN(tst_TrayImage)
#include "tst_tray_image.moc"
