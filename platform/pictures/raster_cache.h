// Decoded raster pictures kept for reuse, per picture content and pixel size, within a byte budget.
//
// The page is drawn again on every repaint of the preview and for each zoom; decoding a large photo
// each time would make the preview crawl. Everything runs on the user-interface thread, so the cache
// is not locked.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <list>
#include <vector>

namespace orvella {

// Identifies a picture by its bytes, so that loading the same file again finds its earlier decodes.
std::uint64_t pictureContentKey(const QByteArray& bytes);

class RasterCache {
 public:
  struct Key {
    std::uint64_t content = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };

  struct Stats {
    int hits = 0;
    int misses = 0;
    int insertions = 0;
    int evictions = 0;
  };

  static constexpr std::int64_t kDefaultBudgetBytes = std::int64_t(192) << 20;
  // Images above this size are print-resolution decodes: only one of them is kept at a time.
  static constexpr std::int64_t kLargeEntryBytes = std::int64_t(32) << 20;

  static RasterCache& instance();

  // The image stored under key, or a null image; a hit makes the entry the most recent.
  QImage find(const Key& key);
  // Stores image (shared, not copied); evicts the least recent entries beyond the budget.
  void insert(const Key& key, const QImage& image);
  // Evicts what storing an image of this many bytes would evict. Called before a decode, so that a
  // print-resolution image is never held beside the one it replaces.
  void makeRoomFor(std::int64_t bytes);
  // Evicts every entry of a picture other than these (content keys): an export that draws each page
  // once keeps only the pictures of the page it draws.
  void retainOnly(const std::vector<std::uint64_t>& contentKeys);
  void clear();

  void setBudgetBytes(std::int64_t bytes);
  std::int64_t budgetBytes() const { return budget_; }
  std::int64_t bytesHeld() const { return held_; }
  int entryCount() const { return int(entries_.size()); }
  int largeEntryCount() const;

  const Stats& stats() const { return stats_; }
  void resetStats() { stats_ = {}; }

 private:
  struct Entry {
    Key key;
    QImage image;
    std::int64_t bytes = 0;
  };
  void evictTo(std::int64_t budget);

  std::list<Entry> entries_;  // most recent first
  std::int64_t budget_ = kDefaultBudgetBytes;
  std::int64_t held_ = 0;
  Stats stats_;
};

}  // namespace orvella
