#pragma once
// The three lists of a project that an editing transaction snapshots and restores: the
// top-level items (each with all its children), the build groups (with their tasks) and the
// test groups (with their tests). Every edit names the one list it can touch.

namespace vantorel {

enum class TransactionScope { items, build, test };

}  // namespace vantorel
