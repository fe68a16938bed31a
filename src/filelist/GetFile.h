#pragma once

#include <QString>

// The two file-name helpers shared by the command builders and the ways of adding files.
// "/" separates folders; a "\" is an ordinary character of a name.
namespace vantorel {

// The characters after the last "/"; the whole text when it has none; empty for an empty text
// or one that ends in "/".
QString GetFileName(const QString& path);

// Of the text after the last "/", the characters before its last "."; empty when that part has
// no ".", when its last "." is its first character, or when the text is empty.
QString GetBaseName(const QString& path);

} // namespace vantorel
