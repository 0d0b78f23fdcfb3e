#pragma once

#include <QObject>

#include <functional>
#include <type_traits>
#include <utility>

namespace velorinth {

// A value owned elsewhere: a control reads it through get, writes it through set, shows
// what get returns (never a copy of its own) and follows changes made elsewhere through
// onChange().
template<typename T>
struct Binding
{
    using Subscription = std::function<void(QObject *context, std::function<void()> changed)>;

    // subscribe may be null, for a value that announces nothing.
    Binding(std::function<T()> get, std::function<void(T)> set, Subscription subscribe = {})
        : get(std::move(get))
        , set(std::move(set))
        , subscribe(std::move(subscribe))
    {
    }

    std::function<T()> get;
    std::function<void(T)> set;
    Subscription subscribe;

    // Calls changed, for as long as context lives, whenever the value may have changed.
    void onChange(QObject *context, std::function<void()> changed) const
    {
        if (subscribe)
            subscribe(context, std::move(changed));
    }
};

// A binding to a QObject's property: its getter, setter and change signal. The object
// must outlive whatever holds the binding (the model outlives its views).
//   bindProperty(&manager, &SleepManager::isLEDOff, &SleepManager::setLEDOff,
//                &SleepManager::isLEDOffChanged)
template<typename Object, typename Value, typename Argument, typename... SignalArguments>
Binding<std::decay_t<Value>> bindProperty(Object *object, Value (Object::*getter)() const,
                                          void (Object::*setter)(Argument),
                                          void (Object::*notify)(SignalArguments...))
{
    using T = std::decay_t<Value>;
    return {[object, getter] { return (object->*getter)(); },
            [object, setter](T value) { (object->*setter)(std::move(value)); },
            [object, notify](QObject *context, std::function<void()> changed) {
                QObject::connect(object, notify, context, std::move(changed));
            }};
}

} // namespace velorinth
