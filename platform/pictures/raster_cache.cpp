// The shared cache of decoded raster pictures.
#include "platform/pictures/raster_cache.h"

#include <QHash>
#include <algorithm>

namespace orvella {

std::uint64_t pictureContentKey(const QByteArray& bytes) {
  // The length is mixed in so that two files of equal hash but different size never meet.
  const std::uint64_t h = qHash(bytes, 0x5eed);
  return h ^ (std::uint64_t(bytes.size()) * 0x9E3779B97F4A7C15ull);
}

RasterCache& RasterCache::instance() {
  static RasterCache cache;
  return cache;
}

QImage RasterCache::find(const Key& key) {
  const std::lock_guard lock(mutex_);
  return findLocked(key);
}

QImage RasterCache::findLocked(const Key& key) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->key == key) {
      entries_.splice(entries_.begin(), entries_, it);
      ++stats_.hits;
      return entries_.front().image;
    }
  }
  ++stats_.misses;
  return {};
}

void RasterCache::insert(const Key& key, const QImage& image) {
  const std::lock_guard lock(mutex_);
  insertLocked(key, image);
}

QImage RasterCache::findOrMake(const Key& key, std::int64_t bytes, const std::function<QImage()>& make) {
  {
    std::unique_lock lock(mutex_);
    for (;;) {
      QImage found = findLocked(key);
      if (!found.isNull()) return found;
      if (std::find(making_.begin(), making_.end(), key) == making_.end()) break;
      made_.wait(lock);
    }
    making_.push_back(key);
    if (bytes > 0) makeRoomLocked(bytes);
  }
  QImage image;
  auto done = [&] {
    {
      const std::lock_guard lock(mutex_);
      making_.erase(std::find(making_.begin(), making_.end(), key));
      insertLocked(key, image);
    }
    made_.notify_all();
  };
  try {
    image = make();
  } catch (...) {
    done();
    throw;
  }
  done();
  return image;
}

void RasterCache::insertLocked(const Key& key, const QImage& image) {
  if (image.isNull()) return;
  const std::int64_t bytes = image.sizeInBytes();
  if (bytes > budget_) return;
  for (auto it = entries_.begin(); it != entries_.end();) {
    // Replace an older entry of the same key.
    if (it->key == key) {
      held_ -= it->bytes;
      it = entries_.erase(it);
      ++stats_.evictions;
    } else {
      ++it;
    }
  }
  makeRoomLocked(bytes);
  entries_.push_front(Entry{key, image, bytes});
  held_ += bytes;
  ++stats_.insertions;
}

void RasterCache::makeRoomLocked(std::int64_t bytes) {
  if (bytes > budget_) return;  // such an image is not kept, so nothing need make room for it
  if (bytes > kLargeEntryBytes) {
    // At most one print-resolution image, besides those retained.
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (it->bytes > kLargeEntryBytes && evictable(*it)) {
        held_ -= it->bytes;
        it = entries_.erase(it);
        ++stats_.evictions;
      } else {
        ++it;
      }
    }
  }
  evictTo(budget_ - bytes);
}

void RasterCache::retainOnly(const std::vector<std::uint64_t>& contentKeys) {
  const std::lock_guard lock(mutex_);
  retained_ = contentKeys;
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (evictable(*it)) {
      held_ -= it->bytes;
      it = entries_.erase(it);
      ++stats_.evictions;
    } else {
      ++it;
    }
  }
}

void RasterCache::clear() {
  const std::lock_guard lock(mutex_);
  entries_.clear();
  retained_.clear();
  held_ = 0;
}

void RasterCache::setBudgetBytes(std::int64_t bytes) {
  const std::lock_guard lock(mutex_);
  budget_ = bytes;
  evictTo(budget_);
}

std::int64_t RasterCache::budgetBytes() const {
  const std::lock_guard lock(mutex_);
  return budget_;
}

std::int64_t RasterCache::bytesHeld() const {
  const std::lock_guard lock(mutex_);
  return held_;
}

int RasterCache::entryCount() const {
  const std::lock_guard lock(mutex_);
  return int(entries_.size());
}

int RasterCache::largeEntryCount() const {
  const std::lock_guard lock(mutex_);
  int n = 0;
  for (const Entry& e : entries_) n += e.bytes > kLargeEntryBytes ? 1 : 0;
  return n;
}

RasterCache::Stats RasterCache::stats() const {
  const std::lock_guard lock(mutex_);
  return stats_;
}

void RasterCache::resetStats() {
  const std::lock_guard lock(mutex_);
  stats_ = {};
}

bool RasterCache::evictable(const Entry& entry) const {
  return std::find(retained_.begin(), retained_.end(), entry.key.content) == retained_.end();
}

void RasterCache::evictTo(std::int64_t budget) {
  for (auto it = entries_.end(); it != entries_.begin() && held_ > budget;) {
    --it;
    if (!evictable(*it)) continue;
    held_ -= it->bytes;
    it = entries_.erase(it);
    ++stats_.evictions;
  }
}

}  // namespace orvella
