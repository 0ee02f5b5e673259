// Decoded raster pictures kept for reuse, per picture content and pixel size, within a byte budget.
//
// The page is drawn again on every repaint of the preview and for each zoom; decoding a large photo
// each time would make the preview crawl. An export decodes the next page's pictures on a second
// thread while it draws a page, so the cache is locked, and a picture being made by one thread is
// waited for by the other rather than made twice.
#pragma once

#include <QByteArray>
#include <QImage>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
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
  // The image stored under key, or else the one make() returns, then stored. Room for bytes (0: none
  // made) is made before make() runs, so that a print-resolution image is never held beside the one it
  // replaces. While another thread makes the same key this one waits for it;
  // when that one failed, this one makes its own. What make() throws reaches the caller.
  QImage findOrMake(const Key& key, std::int64_t bytes, const std::function<QImage()>& make);
  // Evicts every entry of a picture other than these (content keys): an export that draws each page
  // once keeps only the pictures of the page it draws. Until the next call (or clear()) neither the
  // budget nor another print-resolution image evicts an entry of these: the next page's pictures,
  // decoded meanwhile, come beside them instead of in their place.
  void retainOnly(const std::vector<std::uint64_t>& contentKeys);
  void clear();

  void setBudgetBytes(std::int64_t bytes);
  std::int64_t budgetBytes() const;
  std::int64_t bytesHeld() const;
  int entryCount() const;
  int largeEntryCount() const;

  Stats stats() const;
  void resetStats();

 private:
  struct Entry {
    Key key;
    QImage image;
    std::int64_t bytes = 0;
  };
  // The same steps with the lock held.
  QImage findLocked(const Key& key);
  void insertLocked(const Key& key, const QImage& image);
  void makeRoomLocked(std::int64_t bytes);
  bool evictable(const Entry& entry) const;
  void evictTo(std::int64_t budget);

  mutable std::mutex mutex_;
  std::condition_variable made_;  // signalled when a key leaves making_
  std::list<Entry> entries_;      // most recent first
  std::vector<Key> making_;       // being made by a thread, outside the lock
  std::vector<std::uint64_t> retained_;
  std::int64_t budget_ = kDefaultBudgetBytes;
  std::int64_t held_ = 0;
  Stats stats_;
};

}  // namespace orvella
