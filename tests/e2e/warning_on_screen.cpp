#include "e2e/warning_on_screen.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QRasterWindow>
#include <QPainter>
#include <QtTest>

namespace velorinth {

namespace {

constexpr double kDark = 0.2;
// Some notification servers fade their bubbles in.
constexpr int kFadeInMs = 1000;

class WhiteWindow final : public QRasterWindow
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), Qt::white);
    }
};

QDBusMessage notificationsCall(const QString &method)
{
    return QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                          "/org/freedesktop/Notifications",
                                          "org.freedesktop.Notifications", method);
}

// The warning's words and hints, as the app posts them; its id.
quint32 postWarning()
{
    QDBusMessage notify = notificationsCall("Notify");
    notify << "Velorinth" << quint32(0) << "velorinth"
           << "Velorinth"
           << "Mise en veille imminente... 💤" << QStringList()
           << QVariantMap{{"sound-name", "message-new-instant"}, {"desktop-entry", "velorinth"}}
           << qint32(-1);
    const QDBusReply<quint32> id = QDBusConnection::sessionBus().call(notify);
    return id.isValid() ? id.value() : 0;
}

double brightness(const QImage &shot, const QRect &area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            sum += (pixel.redF() + pixel.greenF() + pixel.blueF()) / 3;
        }
    }
    return area.isEmpty() ? -1 : sum / (area.width() * area.height());
}

} // namespace

BubbleSight bubbleWindowsOf(const QString &windowClass)
{
    const auto find = [windowClass] {
        return shownWindow(WindowTraits::ofClass(windowClass.toUtf8())
                               .withType("_NET_WM_WINDOW_TYPE_NOTIFICATION"))
            .frame;
    };
    return {find, true};
}

bool WarningOnScreen::readable() const
{
    return bubbleUndarkened > 0 && qAbs(bubble - bubbleUndarkened) <= 0.1 * bubbleUndarkened
        && windowBeside >= 0 && windowBeside < kDark;
}

QByteArray WarningOnScreen::description() const
{
    return QString("bubble %1 (%2 without darkening), window beside it %3")
        .arg(bubble)
        .arg(bubbleUndarkened)
        .arg(windowBeside)
        .toUtf8();
}

WarningOnScreen warningNearTheEnd(UserSession &session, const BubbleSight &bubble)
{
    WarningOnScreen seen;
    const quint32 id = postWarning();
    if (!id || !QTest::qWaitFor([&] { return !bubble.find().isEmpty(); }, kWaitMs))
        return seen;
    QTest::qWait(kFadeInMs);
    const QRect frame = bubble.find();
    seen.bubbleUndarkened = brightness(screenshot(), frame);
    QDBusConnection::sessionBus().call(notificationsCall("CloseNotification") << id);
    if (!QTest::qWaitFor([&] { return bubble.find().isEmpty(); }, kWaitMs))
        return seen;

    WhiteWindow beside;
    beside.setGeometry(frame.left() - 160, frame.top(), 120, 120);
    beside.show();
    if (!QTest::qWaitForWindowExposed(&beside)
        || !session.startSession({{"sessionDuration", 15}, {"isScreenDimmingEnabled", true}}))
        return seen;
    const QRect middleOfBeside =
        QRect(QPoint(), QSize(20, 20)).translated(beside.geometry().center() - QPoint(10, 10));
    static_cast<void>(QTest::qWaitFor(
        [&] {
            const QRect where = bubble.followed ? bubble.find() : frame;
            if (where.isEmpty())
                return false;
            const QImage shot = screenshot();
            seen.bubble = brightness(shot, where);
            seen.windowBeside = brightness(shot, middleOfBeside);
            return seen.readable();
        },
        kWaitMs));
    return seen;
}

} // namespace velorinth
