// The fader's real overlays on a two-monitor X server with a compositor, as
// started by the test command. Both screens darkening and a monitor switched off
// and on are judged end to end; here, what only the fader's own windows show, and
// their order among the windows of other programs.
#include "engine/screen_fader.h"
#include "platform/qt/widget_displays.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

using namespace velorinth;

namespace {

constexpr int kXTimeoutMs = 15000;

bool run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(kXTimeoutMs) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

xcb_atom_t atom(xcb_connection_t *x, const QByteArray &name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, false, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_atom_t found = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return found;
}

// Waits until the server has handled what `x` has asked so far.
void waitForServer(xcb_connection_t *x)
{
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
}

// A white window filling one screen, counting the clicks it gets.
class WhiteBackdrop : public QWidget
{
public:
    explicit WhiteBackdrop(const QRect &frame)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        setAutoFillBackground(true);
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
        setGeometry(frame);
    }
    int clicks = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++clicks; }
};

// A notification server's bubble as dunst draws one: a white window that bypasses the window
// manager and says it is a notification, made by a connection of its own as another program's
// would be. Made before the overlays, it lies under them until something raises it.
class Bubble
{
public:
    explicit Bubble(const QRect &frame)
        : m_x(xcb_connect(nullptr, nullptr))
        , m_window(xcb_generate_id(m_x))
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data;
        m_root = screen->root;
        const uint32_t values[] = {screen->white_pixel, 1};
        xcb_create_window(m_x, XCB_COPY_FROM_PARENT, m_window, m_root, int16_t(frame.x()),
                          int16_t(frame.y()), uint16_t(frame.width()), uint16_t(frame.height()), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        const xcb_atom_t notification = atom(m_x, "_NET_WM_WINDOW_TYPE_NOTIFICATION");
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_window, atom(m_x, "_NET_WM_WINDOW_TYPE"),
                            XCB_ATOM_ATOM, 32, 1, &notification);
        // Counts the restacks of top-level windows, which every tick would otherwise show.
        const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x, m_root, XCB_CW_EVENT_MASK, &events);
        xcb_flush(m_x);
    }
    ~Bubble() { xcb_disconnect(m_x); }

    void show(bool raised)
    {
        const uint32_t onTop = XCB_STACK_MODE_ABOVE;
        if (raised)
            xcb_configure_window(m_x, m_window, XCB_CONFIG_WINDOW_STACK_MODE, &onTop);
        xcb_map_window(m_x, m_window);
        xcb_flush(m_x);
    }
    // Draws its white again, as a server's bubble does while it shows: a compositor too busy
    // when the bubble came back may have missed its first drawing.
    void repaint()
    {
        xcb_clear_area(m_x, false, m_window, 0, 0, 0, 0);
        xcb_flush(m_x);
    }
    void hide()
    {
        xcb_unmap_window(m_x, m_window);
        xcb_flush(m_x);
    }
    // Waits until the server has handled what this test and the bubble have asked so far.
    void sync()
    {
        waitForServer(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
        waitForServer(m_x);
    }
    // Restacks seen so far, once the requests so far have had their effect.
    int restacks()
    {
        sync();
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_x)) {
            m_restacks += (event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY ? 1 : 0;
            std::free(event);
        }
        return m_restacks;
    }

private:
    xcb_connection_t *m_x;
    xcb_window_t m_window;
    xcb_window_t m_root = XCB_NONE;
    int m_restacks = 0;
};

// What a window manager says on the root window of itself and of the room it leaves to windows
// on each monitor (mutter's _GTK_WORKAREAS_D0), said from a connection of the test's own and
// taken back at the end.
class WindowManagerWord
{
public:
    WindowManagerWord(const QByteArray &name, const QList<QRect> &monitorWorkAreas)
        : m_x(xcb_connect(nullptr, nullptr))
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root)
    {
        const xcb_window_t check = xcb_generate_id(m_x);
        xcb_create_window(m_x, XCB_COPY_FROM_PARENT, check, m_root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, check, atom(m_x, "_NET_WM_NAME"),
                            atom(m_x, "UTF8_STRING"), 8, name.size(), name.constData());
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_root, checkAtom(), XCB_ATOM_WINDOW, 32, 1,
                            &check);
        QList<uint32_t> areas;
        for (const QRect &area : monitorWorkAreas)
            areas << area.x() << area.y() << area.width() << area.height();
        if (!areas.isEmpty())
            xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, m_root, areasAtom(), XCB_ATOM_CARDINAL,
                                32, areas.size(), areas.constData());
        waitForServer(m_x);
    }
    ~WindowManagerWord()
    {
        xcb_delete_property(m_x, m_root, checkAtom());
        xcb_delete_property(m_x, m_root, areasAtom());
        waitForServer(m_x);
        xcb_disconnect(m_x); // which destroys the checked window
    }

private:
    xcb_atom_t checkAtom() { return atom(m_x, "_NET_SUPPORTING_WM_CHECK"); }
    xcb_atom_t areasAtom() { return atom(m_x, "_GTK_WORKAREAS_D0"); }

    xcb_connection_t *m_x;
    xcb_window_t m_root;
};

// Counts the property changes X reports to this client, per window.
class PropertyEvents : public QAbstractNativeEventFilter
{
public:
    PropertyEvents() { qApp->installNativeEventFilter(this); }
    ~PropertyEvents() override { qApp->removeNativeEventFilter(this); }
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            ++counts[reinterpret_cast<const xcb_property_notify_event_t *>(event)->window];
        return false;
    }
    QHash<WId, int> counts;
};

} // namespace

class tst_ScreenFaderX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void overlaysCoverEachScreenAndTakeNewDarknessWithoutARepaint();
    void windowShownOverTheOverlaysIsCoveredAtTheNextDarkness();
    void clicksPassThroughFullDarkness();
    void notificationBubbleStaysAboveTheOverlays_data();
    void notificationBubbleStaysAboveTheOverlays();
    void underGnomeShellTheWindowsLayerIsManaged_data();
    void underGnomeShellTheWindowsLayerIsManaged();

private:
    [[nodiscard]] static QList<QWidget *> visibleOverlays();
    [[nodiscard]] static QList<QRect> screenGeometries();
    // The opacity the X server holds for the window, as the compositor reads it.
    [[nodiscard]] static double serverOpacity(QWidget *window);
    // X delivers in order: once a change made now on a backdrop has come back, every
    // event caused before it has too.
    [[nodiscard]] bool eventsSoFarArrived(PropertyEvents &events);
    // Black at `darkness` over white reads 255 × (1 − darkness) in each channel.
    [[nodiscard]] static bool screenshotPixelsAreGrey(const QList<QPoint> &points, double darkness);
    [[nodiscard]] static bool
    screenshotPixelsAreGrey(const QList<std::pair<QPoint, double>> &points);

    std::unique_ptr<WidgetDisplays> m_displays;
    std::unique_ptr<ScreenFader> m_fader;
    std::vector<std::unique_ptr<WhiteBackdrop>> m_backdrops;
};

void tst_ScreenFaderX11::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), "xcb");
    QCOMPARE(QGuiApplication::screens().size(), 2);
}

void tst_ScreenFaderX11::init()
{
    for (const QRect &frame : screenGeometries()) {
        m_backdrops.push_back(std::make_unique<WhiteBackdrop>(frame));
        m_backdrops.back()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_backdrops.back().get()));
    }
    m_displays = std::make_unique<WidgetDisplays>();
    m_fader = std::make_unique<ScreenFader>(*m_displays);
}

void tst_ScreenFaderX11::cleanup()
{
    m_fader.reset();
    m_displays.reset();
    m_backdrops.clear();
}

QList<QWidget *> tst_ScreenFaderX11::visibleOverlays()
{
    QList<QWidget *> overlays;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->testAttribute(Qt::WA_ShowWithoutActivating))
            overlays.append(window);
    }
    return overlays;
}

QList<QRect> tst_ScreenFaderX11::screenGeometries()
{
    QList<QRect> geometries;
    const auto screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        geometries.append(screen->geometry());
    return geometries;
}

double tst_ScreenFaderX11::serverOpacity(QWidget *window)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window->winId()), "_NET_WM_WINDOW_OPACITY"});
    xprop.waitForFinished(kXTimeoutMs); // runs no event loop
    // "_NET_WM_WINDOW_OPACITY(CARDINAL) = 3435973836"
    return QString::fromLatin1(xprop.readAllStandardOutput()).section(' ', -1).toDouble()
        / 0xffffffffu;
}

bool tst_ScreenFaderX11::eventsSoFarArrived(PropertyEvents &events)
{
    QWidget *backdrop = m_backdrops.front().get();
    const int before = events.counts.value(backdrop->winId());
    backdrop->setWindowTitle(backdrop->windowTitle() + QLatin1Char('.'));
    return QTest::qWaitFor([&] { return events.counts.value(backdrop->winId()) > before; },
                           kXTimeoutMs);
}

bool tst_ScreenFaderX11::screenshotPixelsAreGrey(const QList<QPoint> &points, double darkness)
{
    QList<std::pair<QPoint, double>> expected;
    for (const QPoint &point : points)
        expected.append({point, darkness});
    return screenshotPixelsAreGrey(expected);
}

bool tst_ScreenFaderX11::screenshotPixelsAreGrey(const QList<std::pair<QPoint, double>> &points)
{
    QTemporaryDir dir;
    const QString shot = dir.filePath("root.png");
    if (!run("import", {"-window", "root", shot}))
        return false;
    const QImage image(shot);
    for (const auto &[point, darkness] : points) {
        const int level = qRound(255 * (1 - darkness));
        const QColor pixel = image.pixelColor(point);
        if (qAbs(pixel.red() - level) > 24 || qAbs(pixel.green() - level) > 24
            || qAbs(pixel.blue() - level) > 24)
            return false;
    }
    return true;
}

void tst_ScreenFaderX11::overlaysCoverEachScreenAndTakeNewDarknessWithoutARepaint()
{
    m_fader->setOpacity(0.5);

    const QList<QWidget *> overlays = visibleOverlays();
    QCOMPARE(overlays.size(), 2);
    QList<QRect> covered;
    for (QWidget *overlay : overlays) {
        QVERIFY(QTest::qWaitForWindowExposed(overlay));
        QVERIFY(qAbs(overlay->windowOpacity() - 0.5) < 0.01); // X keeps 8 bits
        covered.append(overlay->geometry());
    }
    std::sort(covered.begin(), covered.end(),
              [](const QRect &a, const QRect &b) { return a.x() < b.x(); });
    QCOMPARE(covered, screenGeometries());

    // Closed from outside, as a close request to every window of the app would: the
    // next darkness shows them again.
    for (QWidget *overlay : overlays)
        overlay->close();
    m_fader->setOpacity(0.6);
    PropertyEvents events;
    QVERIFY(eventsSoFarArrived(events));
    events.counts.clear();
    m_fader->setOpacity(0.8);

    // Asked before this thread has handled any event, so before any repaint:
    // the call itself sent the opacity.
    for (QWidget *overlay : overlays)
        QVERIFY(qAbs(serverOpacity(overlay) - 0.8) < 0.01);
    // Nor does it come back as an event that would wake the app at every tick.
    QVERIFY(eventsSoFarArrived(events));
    for (QWidget *overlay : overlays)
        QCOMPARE(events.counts.value(overlay->winId()), 0);
}

void tst_ScreenFaderX11::windowShownOverTheOverlaysIsCoveredAtTheNextDarkness()
{
    m_fader->setOpacity(0.5);
    QTRY_VERIFY_WITH_TIMEOUT(screenshotPixelsAreGrey({{1380, 100}}, 0.5), kXTimeoutMs);
    m_backdrops.at(1)->raise(); // as a window opened during the dimming would be
    QTRY_VERIFY_WITH_TIMEOUT(screenshotPixelsAreGrey({{1380, 100}}, 0.0), kXTimeoutMs);

    m_fader->setOpacity(0.5);

    QTRY_VERIFY_WITH_TIMEOUT(screenshotPixelsAreGrey({{1380, 100}}, 0.5), kXTimeoutMs);
}

void tst_ScreenFaderX11::clicksPassThroughFullDarkness()
{
    m_fader->setOpacity(1.0);
    for (QWidget *overlay : visibleOverlays())
        QVERIFY(QTest::qWaitForWindowExposed(overlay));

    QVERIFY(run("xdotool", {"mousemove", "1900", "500", "click", "1"}));

    QTRY_COMPARE_WITH_TIMEOUT(m_backdrops.at(1)->clicks, 1, kXTimeoutMs);
}

void tst_ScreenFaderX11::notificationBubbleStaysAboveTheOverlays_data()
{
    QTest::addColumn<QString>("steps");

    // dim: darkness 0.8; clear: darkness 0; bubble: shown by its server, raised; Bubble: shown
    // where it was made, under the overlays; hide: the bubble hidden; window: another program's
    // window raised over everything.
    QTest::newRow("shown before the darkening") << "bubble dim";
    QTest::newRow("shown by its server during it") << "dim bubble";
    QTest::newRow("shown under the overlays") << "dim Bubble";
    QTest::newRow("then a window raised over both") << "dim bubble window";
    QTest::newRow("darkening hidden and shown again") << "bubble dim clear dim";
    QTest::newRow("bubble hidden and shown again") << "dim bubble hide Bubble";
}

void tst_ScreenFaderX11::notificationBubbleStaysAboveTheOverlays()
{
    QFETCH(QString, steps);
    const QRect onSecondScreen(2100, 50, 300, 80);
    Bubble bubble(onSecondScreen);

    for (const QString &step : steps.split(' ')) {
        if (step == "dim")
            m_fader->setOpacity(0.8);
        else if (step == "clear")
            m_fader->setOpacity(0.0);
        else if (step.compare("bubble", Qt::CaseInsensitive) == 0)
            bubble.show(step == "bubble");
        else if (step == "hide")
            bubble.hide();
        else if (step == "window")
            m_backdrops.at(1)->raise();
        bubble.sync(); // the steps reach the server in the order given
    }

    const QPoint inTheBubble = onSecondScreen.center();
    const QPoint besideIt(onSecondScreen.left() - 100, onSecondScreen.center().y());
    const auto bubbleAboveTheDarkening = [&] {
        bubble.repaint();
        return screenshotPixelsAreGrey({{inTheBubble, 0.0}, {besideIt, 0.8}});
    };
    QTRY_VERIFY_WITH_TIMEOUT(bubbleAboveTheDarkening(), kXTimeoutMs);
    // Once in order, the darkening's ticks restack nothing.
    const int restacks = bubble.restacks();
    for (const double darkness : {0.82, 0.84, 0.86})
        m_fader->setOpacity(darkness);
    QCOMPARE(bubble.restacks(), restacks);
}

void tst_ScreenFaderX11::underGnomeShellTheWindowsLayerIsManaged_data()
{
    QTest::addColumn<QByteArray>("windowManager");
    QTest::addColumn<QList<QRect>>("workAreas");
    QTest::addColumn<QList<QRect>>("bypassing"); // the overlays that bypass the window manager
    QTest::addColumn<QList<QRect>>("managed");

    const QRect left(0, 0, 1280, 800);
    const QRect right(1280, 0, 1280, 1024);
    const QRect underTheBar(0, 32, 1280, 768);
    const QRect bar(0, 0, 1280, 32);
    const QList<QRect> none;
    QTest::newRow("another window manager: above everything")
        << QByteArray("Xfwm4") << QList{underTheBar, right} << QList{left, right} << none;
    QTest::newRow("GNOME Shell: the top bar covered apart")
        << QByteArray("GNOME Shell") << QList{underTheBar, right} << QList{bar}
        << QList{underTheBar, right};
    QTest::newRow("GNOME Shell: a dock at the left too")
        << QByteArray("GNOME Shell") << QList{QRect(48, 32, 1232, 768), right}
        << QList{bar, QRect(0, 32, 48, 768)} << QList{QRect(48, 32, 1232, 768), right};
    QTest::newRow("GNOME Shell saying no work area: whole screens")
        << QByteArray("GNOME Shell") << none << none << QList{left, right};
}

// GNOME Shell draws its banners over the managed windows' layer, under every window that
// bypasses it: only there do the overlays leave that layer to the window manager.
void tst_ScreenFaderX11::underGnomeShellTheWindowsLayerIsManaged()
{
    QFETCH(QByteArray, windowManager);
    QFETCH(QList<QRect>, workAreas);
    const WindowManagerWord said(windowManager, workAreas);

    m_fader->setOpacity(0.5);

    auto *x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    QList<QRect> bypassing;
    QList<QRect> managed;
    for (QWidget *overlay : visibleOverlays()) {
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(
                x, xcb_get_window_attributes(x, xcb_window_t(overlay->winId())), nullptr),
            &std::free);
        QVERIFY(attributes);
        (attributes->override_redirect ? bypassing : managed).append(overlay->geometry());
    }
    const auto byPlace = [](const QRect &a, const QRect &b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    };
    std::sort(bypassing.begin(), bypassing.end(), byPlace);
    std::sort(managed.begin(), managed.end(), byPlace);
    QTEST(bypassing, "bypassing");
    QTEST(managed, "managed");
}

QTEST_MAIN(tst_ScreenFaderX11)
#include "tst_screen_fader_x11.moc"
