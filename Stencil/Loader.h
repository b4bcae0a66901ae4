#pragma once
// Where `include` and `extends` (and Environment::loadTemplate) find templates by name.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "Stencil/Error.h"

namespace stencil {

class Loader {
public:
    virtual ~Loader() = default;
    // The source text of the named template; `templateNotFound` when there is none.
    virtual Result<std::string> loadSource(std::string_view name) const = 0;
};

// Reads templates from files below one folder, and never from anywhere else: names that are
// absolute, climb with "..", or lead through a symbolic link out of the folder are refused.
class FileSystemLoader final : public Loader {
public:
    explicit FileSystemLoader(std::filesystem::path root);
    Result<std::string> loadSource(std::string_view name) const override;
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

// Templates held in memory by name, for tests and for templates that ship inside a program.
class MemoryLoader final : public Loader {
public:
    MemoryLoader() = default;
    explicit MemoryLoader(std::map<std::string, std::string, std::less<>> templates) : templates_(std::move(templates)) {}
    void add(std::string name, std::string source) { templates_[std::move(name)] = std::move(source); }
    Result<std::string> loadSource(std::string_view name) const override;

private:
    std::map<std::string, std::string, std::less<>> templates_;
};

}  // namespace stencil
