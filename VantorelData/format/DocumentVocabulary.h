#pragma once
// The fixed strings of the document format that are not element names of one field: the
// version written into the header and the namespace declarations of the root element.

namespace vantorel::format {

inline constexpr const char* documentVersion = "1.7";
inline constexpr const char* declarationLine = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
inline constexpr const char* documentNamespace = "https://vantorel.app/schema/document";
inline constexpr const char* schemaInstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr const char* schemaLocation = "https://vantorel.app/schema/document/vantorel-1.7.xsd";

}  // namespace vantorel::format
