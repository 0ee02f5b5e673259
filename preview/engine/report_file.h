// Report files: the generated pages saved as their element model, pictures kept as their original bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "calendar/page/generated_page.h"
#include "platform/errors/message_texts.h"

namespace orvella::report {

// Messages of the report files.
namespace messages {
inline constexpr const char* kFileDoesNotExist = "File does not exist";
inline constexpr MessageText msg_NotAReport{"msg_NotAReport", "'%s' nie jest plikiem wydruku albo jest uszkodzony"};
inline constexpr MessageText msg_NewerReport{"msg_NewerReport", "'%s' zapisano nowszą wersją programu"};
inline constexpr MessageText msg_UnableToRead{"msg_UnableToRead", "Nie można odczytać %s"};
}  // namespace messages

// The file as bytes. Pictures shared by several elements are stored once.
QByteArray encodeReport(const std::vector<page::GeneratedPage>& pages);

// Rebuilds the pages. Raises Error with msg_NotAReport (or msg_NewerReport) naming fileName when the bytes
// are anything but a whole, undamaged report file; nothing is allocated on a count or length before
// it has been checked against the bytes that are there. A file without pages, or beyond the limits of
// any report (more than 1000 pages, 20000 elements on a page, a caption over 64 KiB, 256 MiB in
// all), counts as damaged.
std::vector<page::GeneratedPage> decodeReport(const QByteArray& bytes, const QString& fileName);

// The same from a file (the report sink writes them). Loading a missing file raises "File does not exist".
std::vector<page::GeneratedPage> loadReportFile(const QString& path);

}  // namespace orvella::report
