#pragma once
// Where a build reads and writes, relative to the document: every output folder and custom
// template is found from the folder that holds the document file.

#include <filesystem>
#include <optional>
#include <string_view>

#include "VantorelData/model/BuildTask.h"

namespace vantorel::build {

// The folder that holds the document file, as an absolute path.
std::filesystem::path documentFolder(const std::filesystem::path& documentURL);

// A path with "." and ".." resolved by its text alone and no trailing "/".
std::filesystem::path standardisedPath(const std::filesystem::path& path);

// The folder a task writes into: the document's folder with the task's folder appended as a
// relative path (a leading "/" does not escape the document's folder), standardised. An empty
// task folder is the document's folder itself.
std::filesystem::path taskOutputFolder(const std::filesystem::path& documentFolder, std::string_view exportFileFolder);

// The template file of a custom-template task, relative to the document's folder unless
// absolute; none when the task names no template.
std::optional<std::filesystem::path> customTemplateFile(const std::filesystem::path& documentFolder,
                                                        const BuildTask& task);

// How a chosen location is stored in a task: relative to the document's folder ("./" for the
// folder itself, "../x" beside it); absolute when it lies on another root.
std::string relativeLocation(const std::filesystem::path& documentFolder, const std::filesystem::path& chosen);

}  // namespace vantorel::build
