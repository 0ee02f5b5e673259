// Copying, deleting and creating files and folders the way the program's Windows calls did.
#pragma once

#include <QString>

class QFile;

namespace orvella::files {

// Copies a file unless the target already exists (also under another case); the copy keeps the
// source's last-write time. False when nothing was copied.
bool copyFileNoOverwrite(const QString& from, const QString& to);

// Deletes a file (not a folder), found also under another case; false when nothing was deleted.
bool deleteFile(const QString& path);

// Creates a folder and every missing parent; true when the folder exists afterwards.
bool makeFolders(const QString& path);

// Creates a new empty file with a unique name in the system's temporary folder, named prefix, some
// characters and ".tmp"; returns its name, or an empty string when no file could be created.
QString temporaryFileName(const QString& prefix);

// The name itself is a symbolic link (it is not followed).
bool isSymLink(const QString& path);

enum class WriteMode { Truncate, Append };

// Opens a regular file for writing, creating it when missing, without following a symbolic link in its
// last name part and without blocking on a pipe; false when the name is a link, a folder, a device or
// cannot be created. The file is unbuffered: write it in large pieces.
bool openForWriting(QFile& file, const QString& path, WriteMode mode);

}  // namespace orvella::files
