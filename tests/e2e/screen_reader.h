#pragma once

// What a screen reader learns of an app over the desktop's accessibility bus (AT-SPI): its
// shown windows and elements, with their names, roles and places on the screen.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QRect>
#include <QString>
#include <QVariant>

#include <vector>

namespace velorinth {

// One shown element and the shown ones inside it.
struct Element
{
    QString name;
    QString role; // as AT-SPI names it: "push button", "filler"…
    QRect rect; // on the desktop
    std::vector<Element> children;

    // The first shown element named `name` in this one's tree, this one included, or null.
    [[nodiscard]] const Element *find(const QString &name) const;
};

// Connects to the bus as a screen reader does.
class ScreenReader
{
public:
    ScreenReader();
    ~ScreenReader();
    ScreenReader(const ScreenReader &) = delete;
    ScreenReader &operator=(const ScreenReader &) = delete;

    // Whether the desktop has an accessibility bus.
    [[nodiscard]] bool isConnected() const;
    // The shown windows of the app whose process is `pid`; none while it has not joined the bus.
    [[nodiscard]] std::vector<Element> windowsOf(qint64 pid) const;

private:
    // An element on the bus.
    struct Node
    {
        QString service;
        QString path;
    };

    [[nodiscard]] QString serviceOf(qint64 pid) const;
    [[nodiscard]] QDBusMessage call(const Node &node, const QString &interface,
                                    const QString &method, const QVariantList &arguments) const;
    [[nodiscard]] QVariant property(const Node &node, const QString &name) const;
    [[nodiscard]] std::vector<Node> children(const Node &node) const;
    // The shown tree from `node`; an element with an empty role when `node` is not shown.
    [[nodiscard]] Element read(const Node &node) const;

    QDBusConnection m_bus;
};

} // namespace velorinth
