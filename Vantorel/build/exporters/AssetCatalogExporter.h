#pragma once
// The asset catalog exporter: writes the colors of a build group as an ".xcassets" folder
// tree. Every color becomes a ".colorset" folder whose "Contents.json" lists its value per
// appearance; groups and color sets become sub-folders. Other kinds of item are skipped.

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class AssetCatalogExporter final : public BuildTaskExporter {
public:
    explicit AssetCatalogExporter(const QuenzColorProject& project) : project_(project) {}

    // Replaces the catalog folder at the output path. Folders and files written before a
    // failure stay on disk.
    ExportResult exportTask(const ExportRequest& request) override;

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
