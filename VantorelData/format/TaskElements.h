#pragma once
// The elements of build groups, build tasks, test groups and test tasks, written onto a sink
// and read from pugixml elements. Reading keeps identifiers unless `generateNewIds` asks for
// fresh ones (pasting); what cannot be read gives no task.

#include <pugixml.hpp>

#include <optional>

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

BuildGroupPtr readBuildGroupElement(pugi::xml_node element, bool generateNewIds);
std::optional<BuildTaskPtr> readBuildTaskElement(pugi::xml_node element, bool generateNewIds);
TestGroupPtr readTestGroupElement(pugi::xml_node element, bool generateNewIds);
std::optional<TestTaskPtr> readTestTaskElement(pugi::xml_node element, bool generateNewIds);

}  // namespace vantorel::format
