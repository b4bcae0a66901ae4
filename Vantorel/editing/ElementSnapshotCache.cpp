#include "Vantorel/editing/ElementSnapshotCache.h"

#include <type_traits>
#include <variant>

#include "Vantorel/editing/SnapshotCodec.h"

namespace vantorel {
namespace {

using Visit = std::function<void(std::shared_ptr<Observable>)>;

// Every observable object whose stored properties end up in the element's document text.
void forEachTrackedObject(const ProjectItemPtr& item, const Visit& visit) {
    visit(item);
    std::visit([&](const auto& payload) { visit(payload); }, item->payload());
    if (const auto group = item->group()) {
        for (const ProjectItemPtr& child : group->items()) {
            if (child) forEachTrackedObject(child, visit);
        }
    }
}

void forEachTrackedObject(const BuildGroupPtr& group, const Visit& visit) {
    visit(group);
    for (const BuildTaskPtr& task : group->tasks()) {
        if (task) visit(task);
    }
}

void forEachTrackedObject(const TestGroupPtr& group, const Visit& visit) {
    visit(group);
    for (const TestTaskPtr& test : group->tests()) {
        if (test) visit(test);
    }
}

// Properties documents do not store: changing them leaves the snapshot valid.
bool isUnstored(PropertyId property) {
    return property == PropertyId::searchFilter || property == PropertyId::resolvedReferences ||
           property == PropertyId::ignoreColorspaceChange;
}

// Properties that change which objects belong to the element.
bool changesMembers(PropertyId property) {
    return property == PropertyId::items || property == PropertyId::tasks || property == PropertyId::tests;
}

}  // namespace

template <class Element>
struct ElementSnapshotCache<Element>::Record {
    std::weak_ptr<Element> element;
    CompressedElementPtr entry;  // what the element was last snapshotted as; null when it cannot be written
    bool dirty = true;           // changed since `entry` was made
    bool membersChanged = true;  // the listened-to objects must be gathered again
    std::uint64_t seen = 0;      // the last snapshot that met the element
    const bool* muted = nullptr;
    std::vector<std::pair<std::weak_ptr<Observable>, ObserverToken>> subscriptions;
};

template <class Element>
ElementSnapshotCache<Element>::~ElementSnapshotCache() {
    clear();
}

template <class Element>
void ElementSnapshotCache<Element>::clear() {
    for (auto& [key, record] : records_) unsubscribe(*record);
    records_.clear();
    last_.reset();
}

template <class Element>
void ElementSnapshotCache<Element>::unsubscribe(Record& record) {
    for (auto& [object, token] : record.subscriptions) {
        if (const auto alive = object.lock()) alive->removeObserver(token);
    }
    record.subscriptions.clear();
}

template <class Element>
void ElementSnapshotCache<Element>::subscribe(const std::shared_ptr<Record>& record, const ElementPtr& element) {
    unsubscribe(*record);
    const std::weak_ptr<Record> weakRecord = record;
    forEachTrackedObject(element, [&](std::shared_ptr<Observable> object) {
        const ObserverToken token = object->addObserver([weakRecord](const Observable&, PropertyId property) {
            const auto target = weakRecord.lock();
            if (!target || *target->muted || isUnstored(property)) return;
            target->dirty = true;
            if (changesMembers(property)) target->membersChanged = true;
        });
        record->subscriptions.emplace_back(std::move(object), token);
    });
    record->membersChanged = false;
}

template <class Element>
std::shared_ptr<typename ElementSnapshotCache<Element>::Record> ElementSnapshotCache<Element>::recordFor(
    const ElementPtr& element) {
    auto& slot = records_[element.get()];
    // A record whose object has died belongs to an earlier object at the same address.
    if (slot && slot->element.lock() != element) {
        unsubscribe(*slot);
        slot.reset();
    }
    if (!slot) {
        slot = std::make_shared<Record>();
        slot->element = element;
        slot->muted = &muted_;
    }
    return slot;
}

template <class Element>
void ElementSnapshotCache<Element>::sweep(std::uint64_t epoch) {
    for (auto it = records_.begin(); it != records_.end();) {
        if (it->second->seen != epoch) {
            unsubscribe(*it->second);
            it = records_.erase(it);
        } else {
            ++it;
        }
    }
}

template <class Element>
ScopeSnapshotPtr ElementSnapshotCache<Element>::take(const std::vector<ElementPtr>& list) {
    const std::uint64_t epoch = ++epoch_;
    ScopeSnapshot::Builder builder(last_);
    std::size_t distinct = 0;
    for (const ElementPtr& element : list) {
        if (!element) continue;
        const std::shared_ptr<Record> record = recordFor(element);
        if (record->seen != epoch) ++distinct;
        record->seen = epoch;
        // Listen before writing, so that nothing between the two goes unnoticed.
        if (record->membersChanged) subscribe(record, element);
        if (record->dirty) {
            record->entry = snapshot::compress(*element);
            record->dirty = false;
            ++compressedCount_;
        }
        if (record->entry) builder.append(record->entry);
    }
    if (records_.size() > distinct) sweep(epoch);
    last_ = builder.finish();
    return last_;
}

template <class Element>
std::vector<typename ElementSnapshotCache<Element>::ElementPtr> ElementSnapshotCache<Element>::restore(
    const ScopeSnapshotPtr& snapshot, const std::vector<ElementPtr>& current, const Reader& read,
    std::size_t* reused) {
    std::vector<ElementPtr> restored;
    if (reused) *reused = 0;
    if (!snapshot) return restored;

    // The current elements known to be exactly some entry's bytes.
    std::unordered_map<const CompressedElement*, ElementPtr> unchanged;
    for (const ElementPtr& element : current) {
        if (!element) continue;
        const auto found = records_.find(element.get());
        if (found == records_.end()) continue;
        const Record& record = *found->second;
        if (record.dirty || !record.entry || record.element.lock() != element) continue;
        unchanged.emplace(record.entry.get(), element);
    }

    restored.reserve(snapshot->size());
    for (std::size_t i = 0; i < snapshot->size(); ++i) {
        const CompressedElementPtr& entry = (*snapshot)[i];
        if (!entry) continue;
        if (const auto kept = unchanged.find(entry.get()); kept != unchanged.end()) {
            restored.push_back(std::move(kept->second));
            unchanged.erase(kept);
            if (reused) ++*reused;
            continue;
        }
        ElementPtr element = read(*entry);
        if (!element) continue;
        const std::shared_ptr<Record> record = recordFor(element);
        subscribe(record, element);
        record->entry = entry;
        record->dirty = false;
        restored.push_back(std::move(element));
    }
    last_ = snapshot;
    return restored;
}

template <class Element>
void ElementSnapshotCache<Element>::untracked(const std::function<void()>& change) {
    const bool wasMuted = muted_;
    muted_ = true;
    change();
    muted_ = wasMuted;
}

template class ElementSnapshotCache<QuenzColorProjectItem>;
template class ElementSnapshotCache<BuildGroup>;
template class ElementSnapshotCache<TestGroup>;

}  // namespace vantorel
