#pragma once
// How names and texts of a project are written into generated source: identifiers that the
// target language accepts, string literal contents, and comment texts that cannot end the comment
// early. Ordinary names ("brandBlue500", "brand-blue-500") pass through unchanged; only names and
// texts that the target would reject are rewritten.

#include <string>
#include <string_view>

namespace vantorel::build {

// Languages whose identifiers follow the same shape: a letter or "_" first, then letters, digits
// and "_". Swift, Kotlin and Metal take any Unicode letter; GLSL and Android resource names only
// ASCII ones.
enum class IdentifierLanguage { swift, kotlin, metal, glsl, android };

// `name` as an identifier of the language: characters the language does not allow in names
// become "_", a name that starts with a digit gets a leading "_", an empty name becomes
// "unnamed", a Swift or Kotlin name of underscores only gets "unnamed" after them, a reserved
// word is quoted with backticks (Swift, Kotlin) or gets a trailing "_" (Metal, GLSL, Android),
// and a GLSL name that starts with "gl_" gets a leading "_".
std::string identifierIn(IdentifierLanguage language, std::string_view name);
// The same written at the end of `out`, for templates that write thousands of names.
void appendIdentifierIn(std::string& out, IdentifierLanguage language, std::string_view name);

// A CSS identifier as CSSOM serialises one: characters that cannot stand in a name are
// backslash-escaped, control characters as hex escapes. With `startsName`, a leading digit (or a
// digit after a leading "-") is hex-escaped too, as a SCSS variable needs; custom properties
// ("--" + name) and later parts of a name do not.
std::string cssIdentifier(std::string_view name, bool startsName);
void appendCssIdentifier(std::string& out, std::string_view name, bool startsName);

// A LESS variable name: LESS reads only ASCII letters, digits, "_" and "-" there, and no escapes,
// so every other character becomes "_".
std::string lessVariableName(std::string_view name);

// The contents of a double-quoted string literal (without the quotes) in each language. SCSS and
// LESS strings are CSS strings whose interpolation openers ("#{", "@{") are escaped.
enum class StringLanguage { swift, kotlin, cpp, css, scss, less };
std::string stringLiteralContents(StringLanguage language, std::string_view text);

// Text for a line comment ("//", "///"): line breaks become spaces, and a trailing backslash
// (which would carry the comment into the next line in C and its shading languages) is
// followed by a full stop.
std::string lineCommentText(std::string_view text);

// Text for a block comment ("/* … */"): "*/" is written "*\/" so that the comment does not end early.
std::string blockCommentText(std::string_view text);

// The text of an Android string resource: backslashes, quotes and apostrophes escaped, a leading
// "@" or "?" escaped (they would make a reference), line breaks and tabs as "\n" and "\t", and
// other control characters as "\uXXXX" (XML 1.0 cannot carry them).
std::string androidStringText(std::string_view text);

}  // namespace vantorel::build
