#pragma once
// Where a build task's single output goes, and clearing the way for it: the output folder
// plus the task's file name with extension, with whatever stood there before removed.

#include <filesystem>
#include <optional>
#include <string>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

struct OutputLocation {
    std::filesystem::path path;
    std::optional<BuildError> error;
};

// The output folder plus the task's file name with its extension ("tokens" → "tokens.json").
// A name that is not one plain file name ("", ".", "..", one with "/" or a NUL byte) is an
// error: the earlier output is removed before writing, and must never be anything else.
OutputLocation outputPath(const ExportRequest& request);

// Removes an earlier output file (a folder and its contents when `recursive`); a failure is
// ignored, since the write that follows reports any real problem.
void removeEarlierOutput(const std::filesystem::path& path, bool recursive = false);

// Creates a folder and any missing parents; the error names the folder and the reason.
std::optional<BuildError> createFolder(const std::filesystem::path& folder);

}  // namespace vantorel::build
