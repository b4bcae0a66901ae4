#pragma once
// Names of the stored properties of model objects, as reported to observers.

namespace vantorel {

enum class PropertyId {
    // Shared by several records
    name,
    uuid,
    isExpanded,
    items,
    searchFilter,
    value,
    // Project
    projectDescription,
    buildGroups,
    testGroups,
    settings,
    // Project item
    buildGroup,
    testGroup,
    testPosition,
    // Group
    providesNamespace,
    // Common value-item fields
    appearanceType,
    autoContrastAmount,
    deprecated,
    deprecatedReason,
    // Colored items
    color,
    shadow,
    colorSpace,
    colorFormat,
    ignoreColorspaceChange,
    // Numbers
    minValue,
    maxValue,
    steps,
    // Aliases
    aliasType,
    highContrastAliasType,
    darkAliasType,
    darkHighContrastAliasType,
    resolvedReferences,
    // Sets
    colors,
    shadows,
    interpolationMethod,
    curveType,
    curveAmount,
    type,
    namingScheme,
    middleLocation,
    // Build and test records
    tasks,
    tests,
    nameTransform,
    exportFileFolder,
    exportFileName,
    exportFileType,
    exportFormat,
    namePrefix,
    nameSuffix,
    colorSpaceConversion,
    customData,
    taskType,
    threshold,
    minFontSize,
    minFontWeight,
    thresholdType,
};

}  // namespace vantorel
