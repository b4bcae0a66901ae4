#pragma once
// Observable: the change-notification base of every shared, mutable model object. Views
// register a callback and hear which property of which object changed; a setter that stores an
// equal value stays silent. Few objects are ever observed (those a window shows), so the
// listeners live in a table beside the objects and an object carries one flag: the bytes
// after it are left to the fields of the kinds built on it.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "VantorelData/model/PropertyId.h"

namespace vantorel {

class Observable;

using ObserverToken = std::uint64_t;
using ObserverCallback = std::function<void(const Observable& sender, PropertyId property)>;

class Observable {
public:
    Observable() = default;
    // Copies of a model object start without observers: listeners belong to one object.
    Observable(const Observable&) noexcept {}
    Observable& operator=(const Observable&) { return *this; }
    virtual ~Observable();

    // Registers a callback; the token removes it again. Callbacks run synchronously.
    ObserverToken addObserver(ObserverCallback callback);
    void removeObserver(ObserverToken token);
    bool hasObservers() const;

    // Tells every observer that `property` changed. Observers may add or remove observers
    // from inside their callback.
    void notifyChanged(PropertyId property) const {
        if (observed_) notifyObservers(property);
    }

protected:
    // Stores `newValue` into `field` and notifies, unless the two are equal.
    template <class T, class U>
    bool update(T& field, U&& newValue, PropertyId property) {
        if (field == newValue) return false;
        field = std::forward<U>(newValue);
        notifyChanged(property);
        return true;
    }

private:
    void notifyObservers(PropertyId property) const;

    // Set by the first `addObserver`: from then on the object has an entry in the listener table.
    bool observed_ = false;
};

}  // namespace vantorel
