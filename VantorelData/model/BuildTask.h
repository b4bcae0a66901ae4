#pragma once
// BuildTask: one output of a build group: which exporter writes which file where, how code
// names are styled and which color space colors are converted into.

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "VantorelData/model/BuildOptions.h"
#include "VantorelData/model/CustomBuildTaskData.h"
#include "VantorelData/model/Observable.h"
#include "VantorelData/model/QuenzColorSpace.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel {

using CustomData = std::map<std::string, std::string>;

struct BuildTaskFields {
    std::string name;
    BuildNameTransform nameTransform = BuildNameTransform::none;
    std::string exportFileFolder;
    std::string exportFileName;
    BuildFileType exportFileType = BuildFileType::text;
    std::optional<BuildExportFormat> exportFormat;
    std::optional<std::string> namePrefix;
    std::optional<std::string> nameSuffix;
    ColorSpaceConversion colorSpaceConversion = ColorSpaceConversion::original;
    CustomData customData;
};

class BuildTask : public Observable {
public:
    explicit BuildTask(BuildTaskFields fields = {}, std::string uuid = makeUuid());
    // The editor's new task: "Build Task", kebab-case names, "./vantorel" as CSS in color().
    static std::shared_ptr<BuildTask> makeDefault();

    const std::string& uuid() const { return uuid_; }
    const BuildTaskFields& fields() const { return fields_; }
    const std::string& name() const { return fields_.name; }
    BuildNameTransform nameTransform() const { return fields_.nameTransform; }
    const std::string& exportFileFolder() const { return fields_.exportFileFolder; }
    const std::string& exportFileName() const { return fields_.exportFileName; }
    BuildFileType exportFileType() const { return fields_.exportFileType; }
    std::optional<BuildExportFormat> exportFormat() const { return fields_.exportFormat; }
    const std::optional<std::string>& namePrefix() const { return fields_.namePrefix; }
    const std::optional<std::string>& nameSuffix() const { return fields_.nameSuffix; }
    ColorSpaceConversion colorSpaceConversion() const { return fields_.colorSpaceConversion; }
    const CustomData& customData() const { return fields_.customData; }

    void setName(std::string name) { update(fields_.name, std::move(name), PropertyId::name); }
    void setNameTransform(BuildNameTransform transform) {
        update(fields_.nameTransform, transform, PropertyId::nameTransform);
    }
    void setExportFileFolder(std::string folder) {
        update(fields_.exportFileFolder, std::move(folder), PropertyId::exportFileFolder);
    }
    void setExportFileName(std::string fileName) {
        update(fields_.exportFileName, std::move(fileName), PropertyId::exportFileName);
    }
    // Before storing a different type: drops the options that belonged to the old exporter
    // (custom template location, asset catalog symbols) and clears the color format unless
    // the new output is text or a style sheet.
    void setExportFileType(BuildFileType type);
    void setExportFormat(std::optional<BuildExportFormat> format) {
        update(fields_.exportFormat, format, PropertyId::exportFormat);
    }
    void setNamePrefix(std::optional<std::string> prefix) {
        update(fields_.namePrefix, std::move(prefix), PropertyId::namePrefix);
    }
    void setNameSuffix(std::optional<std::string> suffix) {
        update(fields_.nameSuffix, std::move(suffix), PropertyId::nameSuffix);
    }
    void setColorSpaceConversion(ColorSpaceConversion conversion) {
        update(fields_.colorSpaceConversion, conversion, PropertyId::colorSpaceConversion);
    }
    void setCustomData(CustomData data) { update(fields_.customData, std::move(data), PropertyId::customData); }

    // Typed access to the custom-data options.
    template <CustomBuildTaskDataStorable T>
    std::optional<T> customValue() const {
        const auto found = fields_.customData.find(std::string(CustomBuildTaskData<T>::key));
        if (found == fields_.customData.end()) return std::nullopt;
        return CustomBuildTaskData<T>::fromRawValue(found->second);
    }
    template <CustomBuildTaskDataStorable T>
    void setCustomValue(const std::optional<T>& value) {
        CustomData data = fields_.customData;
        const std::string key(CustomBuildTaskData<T>::key);
        if (value) {
            data[key] = CustomBuildTaskData<T>::rawValue(*value);
        } else {
            data.erase(key);
        }
        setCustomData(std::move(data));
    }

    // The name of the written file: the file name as given when it has a full stop, else with
    // the file type's extension ("colors" as SCSS → "colors.scss").
    std::string outputFileName() const;
    // The file name up to its last full stop ("my.theme.css" → "my.theme").
    std::string baseFileName() const;

private:
    BuildTaskFields fields_;
    std::string uuid_;
};

using BuildTaskPtr = std::shared_ptr<BuildTask>;

// Build tasks are identified by their identifier alone.
struct BuildTaskHash {
    std::size_t operator()(const BuildTask& task) const { return std::hash<std::string>{}(task.uuid()); }
};

}  // namespace vantorel
