#pragma once
// The elements of build groups, build tasks, test groups and test tasks, written onto a sink
// and read from elements in either view (`PugiElement`, `FlatXmlElement`). Reading keeps
// identifiers unless `generateNewIds` asks for fresh ones (pasting); what cannot be read gives
// no task.

#include <optional>

#include "VantorelData/format/PugiElement.h"
#include "VantorelData/format/XmlSink.h"
#include "VantorelData/model/BuildGroup.h"
#include "VantorelData/model/TestTask.h"

namespace vantorel::format {

void writeBuildGroupElement(XmlSink& sink, const BuildGroup& group);
void writeBuildTaskElement(XmlSink& sink, const BuildTask& task);
void writeTestGroupElement(XmlSink& sink, const TestGroup& group);
void writeTestTaskElement(XmlSink& sink, const TestTask& task);

// Whether `key` can be the name of an element, as a custom-data entry of a task must be.
bool isStorableElementName(std::string_view key);

template <class Element>
BuildGroupPtr readBuildGroupElement(Element element, bool generateNewIds);
template <class Element>
std::optional<BuildTaskPtr> readBuildTaskElement(Element element, bool generateNewIds);
template <class Element>
TestGroupPtr readTestGroupElement(Element element, bool generateNewIds);
template <class Element>
std::optional<TestTaskPtr> readTestTaskElement(Element element, bool generateNewIds);

}  // namespace vantorel::format
