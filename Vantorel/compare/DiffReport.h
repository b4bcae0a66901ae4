#pragma once
// A document diff as text for a terminal, as Markdown for a pull-request comment and as JSON data.

#include <string>

#include "Vantorel/compare/DocumentDiff.h"

namespace vantorel::compare {

std::string textReport(const DocumentDiff& diff);
std::string markdownReport(const DocumentDiff& diff);
std::string jsonReport(const DocumentDiff& diff);

}  // namespace vantorel::compare
