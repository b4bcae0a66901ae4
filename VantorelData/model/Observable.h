#pragma once
// Observable: the change-notification base of every shared, mutable model object. Views
// register a callback and hear which property of which object changed. An object nobody
// observes carries a single null pointer; a setter that stores an equal value stays silent.

#include <cstdint>
#include <functional>
#include <memory>
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
    Observable(const Observable&) {}
    Observable& operator=(const Observable&) { return *this; }
    virtual ~Observable();

    // Registers a callback; the token removes it again. Callbacks run synchronously.
    ObserverToken addObserver(ObserverCallback callback);
    void removeObserver(ObserverToken token);
    bool hasObservers() const { return observers_ && !observers_->entries.empty(); }

    // Tells every observer that `property` changed. Observers may add or remove observers
    // from inside their callback.
    void notifyChanged(PropertyId property) const;

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
    struct Entry {
        ObserverToken token;
        std::shared_ptr<ObserverCallback> callback;
    };
    // The listeners and the next token share one block, made by the first `addObserver`.
    struct Observers {
        std::vector<Entry> entries;
        ObserverToken nextToken = 1;
    };
    std::unique_ptr<Observers> observers_;
};

}  // namespace vantorel
