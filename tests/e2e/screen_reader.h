#pragma once

// What a screen reader learns of an app over the desktop's accessibility bus (AT-SPI): its
// shown windows and elements, with their names, roles and places on the screen.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QRect>
#include <QSet>
#include <QString>
#include <QVariant>

#include <utility>
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

// Connects as a screen reader does and asks to hear of every element that shows: an app lists
// its pop-up windows nowhere else. Apps that start after it tell it what shows.
class ScreenReader : public QObject
{
    Q_OBJECT

public:
    ScreenReader();
    ~ScreenReader() override;
    ScreenReader(const ScreenReader &) = delete;
    ScreenReader &operator=(const ScreenReader &) = delete;

    // Whether the desktop has an accessibility bus.
    [[nodiscard]] bool isConnected() const;
    // The shown windows of the app whose process is `pid`; none while it has not joined the bus.
    [[nodiscard]] std::vector<Element> windowsOf(qint64 pid);

private Q_SLOTS:
    void stateChanged(const QDBusMessage &message);

private:
    struct Node
    {
        QString service;
        QString path;
        friend size_t qHash(const Node &node, size_t seed = 0)
        {
            return qHashMulti(seed, node.service, node.path);
        }
        bool operator==(const Node &) const = default;
    };

    [[nodiscard]] QString serviceOf(qint64 pid) const;
    [[nodiscard]] QDBusMessage call(const Node &node, const QString &interface,
                                    const QString &method, const QVariantList &arguments) const;
    [[nodiscard]] QVariant property(const Node &node, const QString &name) const;
    // (service, path) of each child.
    [[nodiscard]] std::vector<std::pair<QString, QString>> children(const Node &node) const;
    // The window holding `node`, found through its parents; an empty path when it is gone.
    [[nodiscard]] Node windowHolding(const Node &node) const;
    // The shown tree from `node`; an element with an empty role when `node` is not shown.
    [[nodiscard]] Element read(const Node &node) const;

    QDBusConnection m_bus;
    QSet<Node> m_shown; // elements that said they showed, until their window is known
    QSet<Node> m_windows; // windows found through them, pop-ups included
};

} // namespace velorinth
