// Settings files kept as their lines, so that a write changes only the lines it must.
#include "platform/settings/ini_file.h"

#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/errors/error.h"
#include "platform/settings/settings_file_bytes.h"
#include "platform/settings/text_codec.h"
#include "platform/settings/windows1250.h"

namespace orvella {

namespace {

constexpr qsizetype kMaxValueLength = 2047;  // the profile reader's 2048-character buffer
constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kCrLf[] = "\r\n";

bool isBlank(QChar c) {
  const char16_t u = c.unicode();
  return u == ' ' || u == '\t' || u == '\r' || u == '\v' || u == '\f';
}

QStringView trimBlanks(QStringView s) {
  qsizetype begin = 0;
  qsizetype end = s.size();
  while (begin < end && isBlank(s[begin])) ++begin;
  while (end > begin && isBlank(s[end - 1])) --end;
  return s.sliced(begin, end - begin);
}

// Names compare without regard to case. Lookups hash and compare the name as given, so that the
// thousands of lookups of reading a theme make no folded copies; names are nearly always ASCII,
// which needs no Unicode case tables.
char16_t foldChar(char16_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? char16_t(c + ('a' - 'A')) : c;
  return QChar(c).toCaseFolded().unicode();
}

struct NameHash {
  using is_transparent = void;
  size_t operator()(QStringView name) const {
    size_t h = 1469598103934665603ull;
    for (QChar c : name) h = (h ^ foldChar(c.unicode())) * 1099511628211ull;
    return h;
  }
  size_t operator()(const QString& name) const { return (*this)(QStringView(name)); }
};

struct NameEqual {
  using is_transparent = void;
  bool operator()(QStringView a, QStringView b) const {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
      if (foldChar(a[i].unicode()) != foldChar(b[i].unicode())) return false;
    return true;
  }
  bool operator()(const QString& a, const QString& b) const {
    return (*this)(QStringView(a), QStringView(b));
  }
  bool operator()(const QString& a, QStringView b) const { return (*this)(QStringView(a), b); }
  bool operator()(QStringView a, const QString& b) const { return (*this)(a, QStringView(b)); }
};

template <class T>
using NameMap = std::unordered_map<QString, T, NameHash, NameEqual>;

bool startsWithBom(QByteArrayView bytes) { return bytes.startsWith(QByteArrayView(kBom, 3)); }

bool hasHighBytes(QByteArrayView bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

enum class LineKind { Other, Header, Key };
enum class Eol : char { None, Lf, CrLf };  // a last line may have no line end

QByteArrayView eolBytes(Eol eol) {
  return eol == Eol::CrLf ? QByteArrayView("\r\n", 2)
         : eol == Eol::Lf ? QByteArrayView("\n", 1)
                          : QByteArrayView();
}

struct Line {
  // The bytes as read, without the line end, in the file's bytes; they stand for the line while it is
  // not edited.
  qsizetype rawAt = 0;
  qsizetype rawLength = 0;
  Eol eol = Eol::None;
  QString text;
  bool edited = false;
  LineKind kind = LineKind::Other;
  QString name;              // section name of a header, key name of a key line
  qsizetype valueStart = 0;  // where the value begins in text, for key lines
};

void classify(Line& line) {
  line.kind = LineKind::Other;
  line.name.clear();
  const QStringView text(line.text);
  qsizetype i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  if (i == text.size()) return;
  if (text[i] == QLatin1Char('[')) {
    const QStringView rest = text.sliced(i + 1);
    const qsizetype close = rest.indexOf(QLatin1Char(']'));
    line.kind = LineKind::Header;
    line.name = trimBlanks(close < 0 ? rest : rest.first(close)).toString();
    return;
  }
  if (text[i] == QLatin1Char(';')) return;
  const qsizetype eq = text.indexOf(QLatin1Char('='), i);
  if (eq < 0) return;
  const QStringView key = trimBlanks(text.sliced(i, eq - i));
  if (key.isEmpty()) return;
  line.kind = LineKind::Key;
  line.name = key.toString();
  line.valueStart = eq + 1;
}

Line makeLine(QString text) {
  Line line;
  line.text = std::move(text);
  line.eol = Eol::CrLf;
  line.edited = true;
  classify(line);
  return line;
}

struct Section {
  QString name;
  bool hasHeader = false;  // false only for the lines before the first header
  bool erased = false;
  std::vector<Line> lines;             // lines[0] is the header when there is one
  NameMap<qsizetype> keyIndex;         // key name -> its first line
  qsizetype lastKeyLine = 0;           // where a new key goes after
};

void indexKey(Section& section, qsizetype at) {
  section.keyIndex.try_emplace(section.lines[at].name, at);
  section.lastKeyLine = at;
}

// Decimal, or hexadecimal after "$", "0x" or "0X", with an optional sign; the whole text must be the
// number. Decimal values must fit an int; hexadecimal ones may use all 32 bits.
std::optional<int> parseInteger(QStringView s) {
  bool negative = false;
  if (!s.isEmpty() && (s[0] == QLatin1Char('-') || s[0] == QLatin1Char('+'))) {
    negative = s[0] == QLatin1Char('-');
    s = s.sliced(1);
  }
  int base = 10;
  if (s.startsWith(QLatin1Char('$'))) {
    base = 16;
    s = s.sliced(1);
  } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    s = s.sliced(2);
  }
  if (s.isEmpty()) return std::nullopt;
  const qint64 limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 2147483648LL : 2147483647LL);
  qint64 value = 0;
  for (QChar c : s) {
    const char16_t u = c.unicode();
    int digit;
    if (u >= '0' && u <= '9')
      digit = u - '0';
    else if (base == 16 && u >= 'a' && u <= 'f')
      digit = u - 'a' + 10;
    else if (base == 16 && u >= 'A' && u <= 'F')
      digit = u - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  if (base == 16) value = static_cast<qint32>(static_cast<quint32>(value));
  return static_cast<int>(negative ? -value : value);
}

// Names that the file could not hold as written are not written at all.
bool isWritableSectionName(const QString& name) {
  return !name.isEmpty() && !name.contains(QLatin1Char(']')) && !name.contains(QLatin1Char('\n')) &&
         !name.contains(QLatin1Char('\r'));
}

bool isWritableKeyName(const QString& name) {
  return !name.isEmpty() && !name.contains(QLatin1Char('=')) && !name.startsWith(QLatin1Char('[')) &&
         !name.startsWith(QLatin1Char(';')) && !name.contains(QLatin1Char('\n')) &&
         !name.contains(QLatin1Char('\r'));
}

}  // namespace

struct IniFile::Data {
  QString path;
  QByteArray source;                                 // the file's bytes, in which unedited lines lie
  std::vector<Section> sections;                     // sections[0] holds the lines before any header
  NameMap<std::vector<size_t>> sectionIndex;         // name -> live sections of that name
  bool utf8Source = false;  // the file reads as UTF-8 text beyond ASCII, or had a byte-order mark
  bool bom = false;
  bool dirty = false;

  void parse(const QByteArray& bytes);
  QByteArray serializeAs(bool utf8) const;
  Section* findSection(const QString& name);
  const Section* findSection(const QString& name) const;
  const Line* findKey(const QString& section, const QString& key) const;
  QByteArray serialize() const;
};

void IniFile::Data::parse(const QByteArray& bytes) {
  sections.clear();
  sectionIndex.clear();
  dirty = false;
  source = bytes;
  QByteArrayView view(source);
  // A byte-order mark says UTF-8 unless the bytes after it are no UTF-8 at all (a mark put before a
  // Windows-1250 text); without one, the bytes are UTF-8 only when they are valid UTF-8 and read as text.
  bom = startsWithBom(view);
  if (bom) view = view.sliced(3);
  utf8Source = bom ? isValidUtf8(view) : hasHighBytes(view) && readsAsUtf8(view);

  sections.emplace_back();
  Section* current = &sections.back();
  qsizetype pos = 0;
  while (pos < view.size()) {
    const char* start = view.data() + pos;
    const void* nl = std::memchr(start, '\n', static_cast<size_t>(view.size() - pos));
    qsizetype length = nl ? static_cast<const char*>(nl) - start : view.size() - pos;
    Line line;
    if (nl) {
      const bool cr = length > 0 && start[length - 1] == '\r';
      line.eol = cr ? Eol::CrLf : Eol::Lf;
      pos += length + 1;
      if (cr) --length;
    } else {
      pos += length;
    }
    line.rawAt = start - source.constData();
    line.rawLength = length;
    const QByteArrayView raw(start, length);
    line.text = utf8Source ? QString::fromUtf8(raw) : windows1250::decode(raw);
    classify(line);
    if (line.kind == LineKind::Header) {
      Section section;
      section.name = line.name;
      section.hasHeader = true;
      section.lines.push_back(std::move(line));
      sections.push_back(std::move(section));
      current = &sections.back();
      sectionIndex[current->name].push_back(sections.size() - 1);
      continue;
    }
    current->lines.push_back(std::move(line));
    if (current->hasHeader && current->lines.back().kind == LineKind::Key)
      indexKey(*current, static_cast<qsizetype>(current->lines.size()) - 1);
  }
}

Section* IniFile::Data::findSection(const QString& name) {
  const auto it = sectionIndex.find(QStringView(name));
  return it == sectionIndex.end() ? nullptr : &sections[it->second.front()];
}

const Section* IniFile::Data::findSection(const QString& name) const {
  return const_cast<Data*>(this)->findSection(name);
}

const Line* IniFile::Data::findKey(const QString& section, const QString& key) const {
  const Section* s = findSection(section);
  if (!s) return nullptr;
  const auto it = s->keyIndex.find(QStringView(key));
  return it == s->keyIndex.end() ? nullptr : &s->lines[it->second];
}

QByteArray IniFile::Data::serialize() const {
  // A file nobody changed keeps its bytes. A changed one is written in Windows-1250 while every
  // character fits, whatever it was read in; otherwise in UTF-8 with a byte-order mark, so that
  // reading it back never depends on the guess between the two.
  QByteArray out = serializeAs(dirty ? false : utf8Source);
  // Windows-1250 bytes that would read as UTF-8 text are written as UTF-8 after all.
  if (dirty && !startsWithBom(out) && hasHighBytes(out) && readsAsUtf8(out)) out = serializeAs(true);
  return out;
}

QByteArray IniFile::Data::serializeAs(bool utf8) const {
  qsizetype size = 0;
  for (const Section& s : sections) {
    if (s.erased) continue;
    for (const Line& line : s.lines) {
      size += (line.edited ? line.text.size() : line.rawLength) + 2;
      if (dirty && !utf8 && !windows1250::fits(line.text)) utf8 = true;
    }
  }
  const bool reencode = utf8 != utf8Source;
  const bool withBom = dirty ? utf8 : bom;

  QByteArray out;
  out.reserve(size + 3);
  if (withBom) out.append(kBom, 3);
  bool needsBreak = false;  // the line before had no line end of its own
  for (const Section& s : sections) {
    if (s.erased) continue;
    for (const Line& line : s.lines) {
      if (needsBreak) out.append(kCrLf);
      if (!line.edited && !reencode)
        out.append(source.constData() + line.rawAt, line.rawLength);
      else
        out.append(utf8 ? line.text.toUtf8() : windows1250::encode(line.text));
      out.append(eolBytes(line.eol));
      needsBreak = line.eol == Eol::None;
    }
  }
  return out;
}

IniFile::IniFile(QString path) : d_(std::make_unique<Data>()) {
  d_->path = std::move(path);
  // A file that is too large, or no regular file, reads as a file without sections: a theme archive
  // holding big pictures is tested this way too. Readers that must say so use load().
  d_->parse(readSettingsFileBytes(d_->path).bytes);
}

IniFile IniFile::load(const QString& path) {
  SettingsFileBytes read = readSettingsFileBytes(path);
  if (read.refused()) throw read.error(path);
  return fromBytes(read.bytes, path);
}

IniFile IniFile::fromBytes(const QByteArray& bytes, QString path) {
  IniFile ini{QString()};
  ini.d_->path = std::move(path);
  ini.d_->parse(bytes);
  return ini;
}

IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

const QString& IniFile::path() const { return d_->path; }

bool IniFile::hasSection(const QString& section) const { return d_->findSection(section) != nullptr; }

bool IniFile::sectionHasKeys(const QString& section) const {
  const Section* s = d_->findSection(section);
  return s && !s->keyIndex.empty();
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
  return d_->findKey(section, key) != nullptr;
}

QStringList IniFile::keys(const QString& section) const {
  QStringList result;
  const Section* s = d_->findSection(section);
  if (!s) return result;
  for (qsizetype at = 0; at < qsizetype(s->lines.size()); ++at) {
    const Line& line = s->lines[size_t(at)];
    // Only the first key of a name is seen.
    if (line.kind == LineKind::Key && s->keyIndex.find(QStringView(line.name))->second == at)
      result.append(line.name);
  }
  return result;
}

QStringList IniFile::sections() const {
  QStringList result;
  for (size_t i = 1; i < d_->sections.size(); ++i) {
    const Section& s = d_->sections[i];
    if (s.erased) continue;
    // Only the first section of a name is seen.
    if (d_->sectionIndex.find(QStringView(s.name))->second.front() == i) result.append(s.name);
  }
  return result;
}

namespace {

// A key line's value as the profile reader gives it: trimmed, enclosing quotes removed, at most
// kMaxValueLength characters.
QStringView valueOf(const Line& line) {
  QStringView value = trimBlanks(QStringView(line.text).sliced(line.valueStart));
  if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
      value.back() == value.front())
    value = value.sliced(1, value.size() - 2);
  if (value.size() > kMaxValueLength) {
    qsizetype keep = kMaxValueLength;
    if (value[keep - 1].isHighSurrogate()) --keep;  // never split a character in two
    value = value.first(keep);
  }
  return value;
}

}  // namespace

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
  const Line* line = d_->findKey(section, key);
  return line ? valueOf(*line).toString() : defaultValue;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
  const Line* line = d_->findKey(section, key);
  return line ? parseInteger(valueOf(*line)).value_or(defaultValue) : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
  const Line* line = d_->findKey(section, key);
  if (!line) return defaultValue;
  const auto value = parseInteger(valueOf(*line));
  return value ? *value != 0 : defaultValue;
}

void IniFile::writeString(const QString& sectionName, const QString& keyName, const QString& value) {
  const QString section = trimBlanks(sectionName).toString();
  const QString key = trimBlanks(keyName).toString();
  if (!isWritableSectionName(section) || !isWritableKeyName(key)) return;
  // A line break in a value would start a new line of the file.
  QString flat = value;
  flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  QString text = key + QLatin1Char('=') + flat;

  Section* s = d_->findSection(section);
  if (!s) {
    Section fresh;
    fresh.name = section;
    fresh.hasHeader = true;
    fresh.lines.push_back(makeLine(QLatin1Char('[') + section + QLatin1Char(']')));
    fresh.lines.push_back(makeLine(std::move(text)));
    indexKey(fresh, 1);
    d_->sections.push_back(std::move(fresh));
    d_->sectionIndex[section].push_back(d_->sections.size() - 1);
    d_->dirty = true;
    return;
  }
  const auto it = s->keyIndex.find(QStringView(key));
  if (it != s->keyIndex.end()) {
    Line& line = s->lines[it->second];
    if (line.text == text) return;
    line.text = std::move(text);
    line.edited = true;
    classify(line);
    d_->dirty = true;
    return;
  }
  // After the section's last key: blank lines and comments before the next header stay below it.
  const qsizetype at = s->lastKeyLine + 1;
  s->lines.insert(s->lines.begin() + at, makeLine(std::move(text)));
  indexKey(*s, at);
  d_->dirty = true;
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
  writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
  writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString& section) {
  const auto it = d_->sectionIndex.find(trimBlanks(section));
  if (it == d_->sectionIndex.end()) return;
  // Every section of the name goes, so that a duplicate cannot come back in its place.
  for (size_t index : it->second) d_->sections[index].erased = true;
  d_->sectionIndex.erase(it);
  d_->dirty = true;
}

void IniFile::flush() {
  if (!d_->dirty) return;
  const QByteArray bytes = d_->serialize();
  QSaveFile file(d_->path);
  // Unbuffered, because a buffered QSaveFile commits a file cut short by a full disk or a size limit.
  // A file left uncommitted is thrown away with its temporary copy; the old file stays as it was.
  if (d_->path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
      file.write(bytes) != bytes.size() || !file.commit())
    throw unableToWrite(d_->path);
  d_->parse(bytes);
}

bool IniFile::isDirty() const { return d_->dirty; }

QByteArray IniFile::toBytes() const { return d_->serialize(); }

}  // namespace orvella
