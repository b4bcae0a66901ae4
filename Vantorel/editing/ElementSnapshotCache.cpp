#include "Vantorel/editing/ElementSnapshotCache.h"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "Vantorel/editing/SnapshotCodec.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel {
namespace {

using Visit = std::function<void(std::shared_ptr<Observable>)>;

// Every observable object whose stored properties end up in the element's document text.
void forEachTrackedObject(const ProjectItemPtr& item, const Visit& visit) {
    const auto visitOne = [&visit](const ProjectItemPtr& one) {
        visit(one);
        std::visit([&](const auto& payload) { visit(payload); }, one->payload());
    };
    visitOne(item);
    if (const auto* group = item->payloadIf<QuenzColorGroup>()) walkItemTree(group->items(), visitOne);
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
    std::size_t position = 0;    // its place in the remembered list
    const bool* muted = nullptr;
    std::vector<std::weak_ptr<Record>>* changed = nullptr;
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
    lastList_.clear();
    lastRecords_.clear();
    changed_.clear();
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
            if (!target->dirty) target->changed->push_back(target);
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
        slot->changed = &changed_;
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
void ElementSnapshotCache<Element>::refresh(Record& record, const ElementPtr& element) {
    if (!record.dirty) return;
    CompressedElementPtr entry = snapshot::compress(*element);
    ++compressedCount_;
    // A change that leaves the text as it was keeps the old bytes, so snapshots stay shared.
    if (!(entry && record.entry && *entry == *record.entry)) record.entry = std::move(entry);
    record.dirty = false;
}

template <class Element>
bool ElementSnapshotCache<Element>::isLastList(const std::vector<ElementPtr>& list) const {
    if (!last_ || lastList_.empty() || list.size() != lastList_.size()) return false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != lastList_[i]) return false;
    }
    return true;
}

template <class Element>
void ElementSnapshotCache<Element>::rememberList(std::vector<ElementPtr> list,
                                                 std::vector<std::shared_ptr<Record>> records, bool complete) {
    lastList_.clear();
    lastRecords_.clear();
    if (!complete) return;
    for (std::size_t i = 0; i < records.size(); ++i) records[i]->position = i;
    lastList_ = std::move(list);
    lastRecords_ = std::move(records);
}

template <class Element>
ScopeSnapshotPtr ElementSnapshotCache<Element>::takeChangedOnly() {
    std::vector<std::pair<std::size_t, CompressedElementPtr>> replacements;
    std::vector<std::weak_ptr<Record>> changed;
    changed.swap(changed_);
    for (const std::weak_ptr<Record>& weak : changed) {
        const std::shared_ptr<Record> record = weak.lock();
        if (!record || !record->dirty) continue;
        const std::size_t position = record->position;
        if (position >= lastRecords_.size() || lastRecords_[position] != record) continue;  // not in the list
        const ElementPtr& element = lastList_[position];
        if (record->membersChanged) subscribe(record, element);
        const CompressedElementPtr before = record->entry;
        refresh(*record, element);
        if (!record->entry) {
            // No longer writable: positions and entries part ways; the full walk handles it.
            changed_.insert(changed_.end(), changed.begin(), changed.end());
            lastList_.clear();
            return nullptr;
        }
        if (record->entry != before) replacements.emplace_back(position, record->entry);
    }
    if (!replacements.empty()) last_ = last_->withReplaced(replacements);
    return last_;
}

template <class Element>
ScopeSnapshotPtr ElementSnapshotCache<Element>::take(const std::vector<ElementPtr>& list) {
    if (isLastList(list)) {
        if (ScopeSnapshotPtr snapshot = takeChangedOnly()) return snapshot;
    }
    changed_.clear();  // the full walk below looks at every element
    const std::uint64_t epoch = ++epoch_;
    ScopeSnapshot::Builder builder(last_);
    std::vector<std::shared_ptr<Record>> records;
    records.reserve(list.size());
    bool complete = true;  // every element once, every one with an entry
    for (const ElementPtr& element : list) {
        if (!element) {
            complete = false;
            continue;
        }
        std::shared_ptr<Record> record = recordFor(element);
        if (record->seen == epoch) complete = false;
        record->seen = epoch;
        // Listen before writing, so that nothing between the two goes unnoticed.
        if (record->membersChanged) subscribe(record, element);
        refresh(*record, element);
        if (record->entry) {
            builder.append(record->entry);
        } else {
            complete = false;
        }
        records.push_back(std::move(record));
    }
    if (records_.size() > records.size() || !complete) sweep(epoch);
    last_ = builder.finish();
    rememberList(list, std::move(records), complete);
    return last_;
}

template <class Element>
std::vector<typename ElementSnapshotCache<Element>::ElementPtr> ElementSnapshotCache<Element>::restore(
    const ScopeSnapshotPtr& snapshot, const std::vector<ElementPtr>& current, const Reader& read,
    std::size_t* reused) {
    std::vector<ElementPtr> restored;
    if (reused) *reused = 0;
    if (!snapshot) return restored;

    // First the elements that stayed in place (when the list is the remembered one), then the
    // rest: an entry's element may have moved; only entries no current element holds are read.
    const bool sameList = isLastList(current);
    const std::size_t count = snapshot->size();
    std::vector<ElementPtr> slots(count);
    std::vector<std::shared_ptr<Record>> records(count);
    std::vector<bool> taken(current.size(), false);
    if (sameList) {
        for (std::size_t i = 0; i < std::min(count, current.size()); ++i) {
            const std::shared_ptr<Record>& record = lastRecords_[i];
            if (record->dirty || !record->entry || record->entry != (*snapshot)[i]) continue;
            slots[i] = current[i];
            records[i] = record;
            taken[i] = true;
        }
    }
    std::unordered_map<const CompressedElement*, std::size_t> unchanged;  // entry → index in `current`
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (taken[i] || !current[i]) continue;
        const auto found = records_.find(current[i].get());
        if (found == records_.end()) continue;
        const Record& record = *found->second;
        if (record.dirty || !record.entry || record.element.lock() != current[i]) continue;
        unchanged.emplace(record.entry.get(), i);
    }

    bool complete = true;
    std::size_t readCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (slots[i]) continue;
        const CompressedElementPtr& entry = (*snapshot)[i];
        if (!entry) continue;
        if (const auto kept = unchanged.find(entry.get()); kept != unchanged.end()) {
            slots[i] = current[kept->second];
            records[i] = recordFor(slots[i]);
            unchanged.erase(kept);
            continue;
        }
        ElementPtr element = read(*entry);
        if (!element) continue;
        const std::shared_ptr<Record> record = recordFor(element);
        subscribe(record, element);
        // Reading can normalise what it reads (an old color format code, a set's step count),
        // so the element is written afresh when it is next snapshotted.
        record->entry = entry;
        record->dirty = true;
        changed_.push_back(record);
        slots[i] = std::move(element);
        records[i] = record;
        ++readCount;
    }
    restored.reserve(count);
    std::vector<std::shared_ptr<Record>> kept;
    kept.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!slots[i]) {
            complete = false;
            continue;
        }
        restored.push_back(std::move(slots[i]));
        kept.push_back(std::move(records[i]));
    }
    if (reused) *reused = restored.size() - readCount;
    last_ = snapshot;
    if (!complete || restored.size() != snapshot->size()) {
        rememberList({}, {}, false);
    } else {
        rememberList(restored, std::move(kept), true);
    }
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
