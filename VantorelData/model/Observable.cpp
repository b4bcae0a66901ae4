#include "VantorelData/model/Observable.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace vantorel {
namespace {

struct Entry {
    ObserverToken token;
    std::shared_ptr<ObserverCallback> callback;
};

// The listeners of one observed object and its next token.
struct Observers {
    std::vector<Entry> entries;
    ObserverToken nextToken = 1;
};

// Every observed object's listeners, by the object's address; an entry goes with its object.
// Model objects stay on one thread, but different documents' objects may be observed from
// different threads, hence the lock, which is never held while a callback runs.
class ListenerTable {
public:
    ObserverToken add(const Observable* object, ObserverCallback callback) {
        const std::lock_guard lock(mutex_);
        Observers& observers = table_[object];
        const ObserverToken token = observers.nextToken++;
        observers.entries.push_back({token, std::make_shared<ObserverCallback>(std::move(callback))});
        return token;
    }
    void remove(const Observable* object, ObserverToken token) {
        const std::lock_guard lock(mutex_);
        if (const auto found = table_.find(object); found != table_.end()) {
            std::erase_if(found->second.entries, [token](const Entry& entry) { return entry.token == token; });
        }
    }
    void forget(const Observable* object) {
        const std::lock_guard lock(mutex_);
        table_.erase(object);
    }
    std::vector<Entry> entries(const Observable* object) const {
        const std::lock_guard lock(mutex_);
        const auto found = table_.find(object);
        return found == table_.end() ? std::vector<Entry>{} : found->second.entries;
    }
    bool holds(const Observable* object, ObserverToken token) const {
        const std::lock_guard lock(mutex_);
        const auto found = table_.find(object);
        return found != table_.end() && std::any_of(found->second.entries.begin(), found->second.entries.end(),
                                                    [token](const Entry& entry) { return entry.token == token; });
    }

private:
    mutable std::mutex mutex_;
    std::unordered_map<const Observable*, Observers> table_;
};

ListenerTable& listeners() {
    // Never destroyed: objects may be released after the program's static objects are gone.
    static ListenerTable* const table = new ListenerTable;
    return *table;
}

}  // namespace

Observable::~Observable() {
    if (observed_) listeners().forget(this);
}

ObserverToken Observable::addObserver(ObserverCallback callback) {
    observed_ = true;
    return listeners().add(this, std::move(callback));
}

void Observable::removeObserver(ObserverToken token) {
    if (observed_) listeners().remove(this, token);
}

bool Observable::hasObservers() const { return observed_ && !listeners().entries(this).empty(); }

void Observable::notifyObservers(PropertyId property) const {
    // A snapshot keeps iteration valid when a callback adds or removes observers; the shared
    // callbacks stay alive for the duration of the call.
    const std::vector<Entry> snapshot = listeners().entries(this);
    for (const Entry& entry : snapshot) {
        if (listeners().holds(this, entry.token) && *entry.callback) (*entry.callback)(*this, property);
    }
}

}  // namespace vantorel
