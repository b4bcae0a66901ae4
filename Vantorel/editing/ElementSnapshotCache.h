#pragma once
// ElementSnapshotCache keeps, for every element of one scope list (a top-level item, a build
// group or a test group), the compressed bytes it was last snapshotted as, and forgets them as
// soon as anything in the element's subtree reports a change. A snapshot then compresses only
// the elements that changed since the previous one, and a restore keeps the element objects
// whose bytes equal the snapshot's entry instead of reading them again: the cost of an edit,
// an undo or a redo follows what changed, not the size of the document.
//
// It listens to the model's change notifications on every object below each element (the
// element, its payload, a group's children, a build group's tasks, a test group's tests);
// properties that are not stored in documents (search filters, resolved alias references,
// the transient color-space flag) do not count as changes. Confined to the document's thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Vantorel/editing/ScopeSnapshot.h"
#include "VantorelData/model/Project.h"

namespace vantorel {

template <class Element>
class ElementSnapshotCache {
public:
    using ElementPtr = std::shared_ptr<Element>;
    using Reader = std::function<ElementPtr(const CompressedElement&)>;

    ElementSnapshotCache() = default;
    ElementSnapshotCache(const ElementSnapshotCache&) = delete;
    ElementSnapshotCache& operator=(const ElementSnapshotCache&) = delete;
    ~ElementSnapshotCache();

    // The snapshot of `list` as it is now. Elements that cannot be written are left out.
    ScopeSnapshotPtr take(const std::vector<ElementPtr>& list);

    // The elements the snapshot describes, in order: an element of `current` whose bytes are the
    // entry's is kept as it is, every other entry is read with `read`; entries that cannot be
    // read are left out. `reused` (optional) receives how many elements were kept.
    std::vector<ElementPtr> restore(const ScopeSnapshotPtr& snapshot, const std::vector<ElementPtr>& current,
                                    const Reader& read, std::size_t* reused = nullptr);

    // Runs `change` without counting what it reports as changes: only for changes that leave
    // every element's document text as it was (re-pointing an assignment at an equal group).
    void untracked(const std::function<void()>& change);

    // Drops every cached entry and stops listening.
    void clear();

    // Elements compressed since the cache was made (how much work snapshots did).
    std::size_t compressedCount() const { return compressedCount_; }

private:
    struct Record;
    std::shared_ptr<Record> recordFor(const ElementPtr& element);
    void subscribe(const std::shared_ptr<Record>& record, const ElementPtr& element);
    static void unsubscribe(Record& record);
    void sweep(std::uint64_t epoch);
    // Writes the element again when it changed; false when it cannot be written.
    void refresh(Record& record, const ElementPtr& element);
    // The common case: the same elements in the same order as last time, a few of them changed.
    ScopeSnapshotPtr takeChangedOnly();
    bool isLastList(const std::vector<ElementPtr>& list) const;
    void rememberList(std::vector<ElementPtr> list, std::vector<std::shared_ptr<Record>> records, bool complete);

    std::unordered_map<const Element*, std::shared_ptr<Record>> records_;
    ScopeSnapshotPtr last_;
    // The list `last_` describes, one record per element, when each element appears once and
    // has an entry (so that list positions are snapshot positions); empty otherwise. Holding the
    // elements keeps their addresses from being reused while they are compared.
    std::vector<ElementPtr> lastList_;
    std::vector<std::shared_ptr<Record>> lastRecords_;
    // Records that turned dirty since they were last written.
    std::vector<std::weak_ptr<Record>> changed_;
    std::uint64_t epoch_ = 0;
    bool muted_ = false;
    std::size_t compressedCount_ = 0;
};

extern template class ElementSnapshotCache<QuenzColorProjectItem>;
extern template class ElementSnapshotCache<BuildGroup>;
extern template class ElementSnapshotCache<TestGroup>;

}  // namespace vantorel
