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
  makeRoomFor(bytes);
  entries_.push_front(Entry{key, image, bytes});
  held_ += bytes;
  ++stats_.insertions;
}

void RasterCache::makeRoomFor(std::int64_t bytes) {
  if (bytes > budget_) return;  // such an image is not kept, so nothing need make room for it
  if (bytes > kLargeEntryBytes) {
    // At most one print-resolution image.
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (it->bytes > kLargeEntryBytes) {
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
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (std::find(contentKeys.begin(), contentKeys.end(), it->key.content) == contentKeys.end()) {
      held_ -= it->bytes;
      it = entries_.erase(it);
      ++stats_.evictions;
    } else {
      ++it;
    }
  }
}

void RasterCache::clear() {
  entries_.clear();
  held_ = 0;
}

void RasterCache::setBudgetBytes(std::int64_t bytes) {
  budget_ = bytes;
  evictTo(budget_);
}

int RasterCache::largeEntryCount() const {
  int n = 0;
  for (const Entry& e : entries_) n += e.bytes > kLargeEntryBytes ? 1 : 0;
  return n;
}

void RasterCache::evictTo(std::int64_t budget) {
  while (!entries_.empty() && held_ > budget) {
    held_ -= entries_.back().bytes;
    entries_.pop_back();
    ++stats_.evictions;
  }
}

}  // namespace orvella
