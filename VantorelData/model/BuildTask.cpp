#include "VantorelData/model/BuildTask.h"

namespace vantorel {

BuildTask::BuildTask(BuildTaskFields fields, std::string uuid) : fields_(std::move(fields)), uuid_(std::move(uuid)) {}

std::shared_ptr<BuildTask> BuildTask::makeDefault() {
    BuildTaskFields fields;
    fields.name = "Build Task";
    fields.nameTransform = BuildNameTransform::kebabCase;
    fields.exportFileFolder = "./";
    fields.exportFileName = "vantorel";
    fields.exportFileType = BuildFileType::css;
    fields.exportFormat = BuildExportFormat::cssColor;
    return std::make_shared<BuildTask>(std::move(fields));
}

void BuildTask::setExportFileType(BuildFileType type) {
    if (fields_.exportFileType == type) return;
    CustomData data = fields_.customData;
    if (fields_.exportFileType == BuildFileType::customTemplate) {
        data.erase(std::string(CustomBuildTaskData<CustomTemplateLocation>::key));
    } else if (fields_.exportFileType == BuildFileType::assetCatalog) {
        data.erase(std::string(CustomBuildTaskData<AssetCatalogSymbolGeneration>::key));
    }
    setCustomData(std::move(data));
    if (!keepsExportFormat(type)) setExportFormat(std::nullopt);
    fields_.exportFileType = type;
    notifyChanged(PropertyId::exportFileType);
}

std::string BuildTask::outputFileName() const {
    const std::string& fileName = fields_.exportFileName;
    if (fileName.find('.') != std::string::npos) return fileName;
    return fileName + std::string(fileExtension(fields_.exportFileType));
}

std::string BuildTask::baseFileName() const {
    const std::string& fileName = fields_.exportFileName;
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace vantorel
