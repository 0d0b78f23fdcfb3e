#pragma once

#include <QIcon>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

namespace velorinth {

// What the tray shows. While no session runs: the app icon. While one runs: the time left,
// as large as the icon allows, over a faint moon (with its "zzz" when the end is near),
// written into the image itself since most trays show no text beside an icon.
class TrayImage
{
public:
    [[nodiscard]] static TrayImage idle();
    // formattedTime as the manager writes it ("29:59", "01:00:00").
    [[nodiscard]] static TrayImage running(const QString &formattedTime, bool urgent);

    // The symbol drawn, empty for the app icon.
    [[nodiscard]] QString symbolName() const { return m_symbolName; }
    // The time left as the image writes it: whole minutes ("29"), hours and minutes
    // ("1h05"), or minutes and seconds in the last minute ("0:59"). Empty while idle.
    [[nodiscard]] QString text() const { return m_text; }
    void paint(QPainter &painter, const QRectF &square) const;
    [[nodiscard]] QIcon icon() const;

    bool operator==(const TrayImage &) const = default;

private:
    TrayImage(QString symbolName, QString text, bool urgent);

    void paintRunning(QPainter &painter, const QRectF &square) const;
    // The running look at `pixels`, drawn without Qt's thread pool.
    [[nodiscard]] QImage runningImage(const QSize &pixels) const;
    // The time's outline, as large as it fits on a plate of `square`.
    [[nodiscard]] QPainterPath timeOutline(const QRectF &square) const;

    QString m_symbolName;
    QString m_text;
    bool m_urgent = false;
};

} // namespace velorinth
