// File and folder names: the program's Windows habits (either separator, names that compare without
// regard to case) on a file system whose names are case-sensitive.
#pragma once

#include <QString>
#include <QStringList>

namespace orvella::files {

// The name with every "\" turned into "/".
QString toSlashes(const QString& path);

// The part after the last "/", "\" or ":"; the whole name when there is none.
QString filePart(const QString& path);

// The name with its extension (from the last "." of the file part on) replaced by extension, which
// includes its dot; appended when the file part has no extension.
QString changeExtension(const QString& path, const QString& extension);

// The path made absolute against the current folder, "." and ".." folded, "\" taken as a separator.
QString expandFullPath(const QString& path);

// The path as it is on disk: the exact name when it exists, otherwise each folder and the file found by
// a case-insensitive match ("Flower.WMF" for "flower.wmf"); empty when nothing matches.
QString resolveCaseInsensitive(const QString& path);

// The path with its longest existing leading part resolved as above and the rest kept as given, so
// that a file or folder about to be created lands in the folder that is already there.
QString resolveExistingPart(const QString& path);

// A file (not a folder) exists under this name, exactly or without regard to case.
bool fileExists(const QString& path);

// A folder exists under this name, exactly or without regard to case.
bool folderExists(const QString& path);

// Names (without folder) of the files matching the mask's file part in the mask's folder ("\" or "/"
// separated; the current folder when there is none). Hidden and read-only files are included, folders
// are not; case is ignored; the order is the file system's.
QStringList findFiles(const QString& mask);

// Names of the subfolders of a folder (hidden ones too, "." and ".." not), in the file system's order.
// Symbolic links to folders are left out so that a walk down the tree always ends.
QStringList findSubfolders(const QString& folder);

}  // namespace orvella::files
