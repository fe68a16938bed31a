#pragma once

#include <QString>

// A file whose path the narrow code page cannot hold, or that cannot be carried inside an
// encoder command line, is converted from a copy in the work folder under a name that can.
namespace vantorel {

// True when the path must not be handed to the encoder as it stands: a double quote would end
// the quoted argument early, a line break or other control character has no place in a command
// line, and a leading "-" would read as an option.
bool IsUnsafeForEncoder(const QString& path);

// The name, without folder and extension, of the working copy for a path: its base name through
// the code page, with the characters a name cannot hold turned into spaces, cut to 200
// characters (and short enough for the file system); the local date and time "yyyyMMdd-HHmmss"
// when nothing but spaces is left.
QString WorkingCopyName(const QString& path);

// The "FileName" column text for a path added one by one or dropped on the overlay: the path
// through the code page, with the characters a name cannot hold in its last part turned into
// spaces.
QString DisplayTextFor(const QString& path);

// The path the conversion opens: the path itself when the program can open it and may hand it
// to the encoder, otherwise a working copy in the work folder, made on the spot under a name no
// other entry of this session uses. When the copy cannot be made (an unsafe work folder, a
// source that is not a regular file, a failed copy), *error says why and the working-copy path
// is still returned, so the entry fails visibly at conversion. The source is only read.
QString QueuedPathFor(const QString& path, QString* error = nullptr);

// For paths queued as they were found or delivered: the path itself, or a working copy as above
// when it is unsafe for the encoder.
QString EncoderSafePath(const QString& path, QString* error = nullptr);

} // namespace vantorel
