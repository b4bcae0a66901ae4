#pragma once
// How one element of a scope list becomes a snapshot entry and back: the element is written as
// its element of the document format, printed as text and compressed with LZFSE; restoring
// decompresses, parses and reads it with identifiers kept. Entries that cannot be made or read
// give nothing, and the transaction leaves them out.

#include "Vantorel/editing/ScopeSnapshot.h"
#include "VantorelData/model/Project.h"

namespace vantorel::snapshot {

// Null when the element cannot be written (text that cannot be encoded, an item without payload).
CompressedElementPtr compress(const QuenzColorProjectItem& item);
CompressedElementPtr compress(const BuildGroup& group);
CompressedElementPtr compress(const TestGroup& group);

// Null when the bytes do not decompress, parse or read. Items find their build and test group
// assignments in `project`.
ProjectItemPtr restoreItem(const CompressedElement& bytes, const QuenzColorProject& project);
BuildGroupPtr restoreBuildGroup(const CompressedElement& bytes);
TestGroupPtr restoreTestGroup(const CompressedElement& bytes);

}  // namespace vantorel::snapshot
