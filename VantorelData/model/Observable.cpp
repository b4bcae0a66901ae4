#include "VantorelData/model/Observable.h"

#include <algorithm>

namespace vantorel {

Observable::~Observable() = default;

ObserverToken Observable::addObserver(ObserverCallback callback) {
    if (!observers_) observers_ = std::make_unique<Observers>();
    const ObserverToken token = observers_->nextToken++;
    observers_->entries.push_back({token, std::make_shared<ObserverCallback>(std::move(callback))});
    return token;
}

void Observable::removeObserver(ObserverToken token) {
    if (!observers_) return;
    std::erase_if(observers_->entries, [token](const Entry& entry) { return entry.token == token; });
}

void Observable::notifyChanged(PropertyId property) const {
    if (!observers_ || observers_->entries.empty()) return;
    // A snapshot keeps iteration valid when a callback adds or removes observers; the shared
    // callbacks stay alive for the duration of the call.
    const std::vector<Entry> snapshot = observers_->entries;
    for (const Entry& entry : snapshot) {
        const bool stillRegistered = std::any_of(observers_->entries.begin(), observers_->entries.end(),
                                                 [&](const Entry& e) { return e.token == entry.token; });
        if (stillRegistered && *entry.callback) (*entry.callback)(*this, property);
    }
}

}  // namespace vantorel
