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

// The name itself exists as something other than a regular file: a folder, a device, a pipe, a socket
// or a symbolic link (which is not followed).
bool existsAsNonRegular(const QString& path);

// Creates a new, empty file in the folder of path under a fresh name (a dot, the file part, a dot and
// random characters), with the mode any new file gets under the process's umask. A replacement for
// path is written there and renamed over path when complete. Returns the name, or an empty string
// when no file could be created.
QString createFileBeside(const QString& path);

// Renames from over to in one step, so that to is never missing or half written. With keepMode, a
// regular file at to hands its permission bits on to the file that replaces it. False when the
// rename failed (from is then left as it is).
bool replaceFile(const QString& from, const QString& to, bool keepMode);

enum class WriteMode { Truncate, Append };

// Opens a regular file for writing, creating it when missing, without following a symbolic link in its
// last name part and without blocking on a pipe; false when the name is a link, a folder, a device or
// cannot be created. The file is unbuffered: write it in large pieces.
bool openForWriting(QFile& file, const QString& path, WriteMode mode);

}  // namespace orvella::files
