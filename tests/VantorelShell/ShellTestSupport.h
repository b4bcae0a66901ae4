#pragma once
// Shared pieces of the document lifecycle tests: a scratch folder that removes itself, whole
// file reads and writes, and small projects.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"
#include "tests/support/FileContents.h"
#include "tests/support/ItemTreeText.h"

namespace vantorel::shell::testing {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-shell-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // The names of the files in the folder, sorted.
    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

using vantorel::testing::fileContents;
using vantorel::testing::writeFileContents;

inline ProjectItemPtr colorNamed(const std::string& name, double red = 0.25) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, red, 0.5, 0.75, 1, 0})));
}

inline ProjectItemPtr groupNamed(const std::string& name, std::vector<ProjectItemPtr> children) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorGroup>(std::move(children)));
}

// The bytes of a document holding `items` and `description`.
inline std::string documentBytes(std::vector<ProjectItemPtr> items, const std::string& description = {}) {
    QuenzColorProject project;
    project.setItems(std::move(items));
    project.setProjectDescription(description);
    return format::QuenzColorFileWriter::write(project).bytes;
}

using vantorel::testing::treeText;

}  // namespace vantorel::shell::testing
