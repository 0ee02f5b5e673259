// PNG files written a band of rows at a time, each band compressed on a thread of its own while the
// next is drawn, so that a page never sits in memory whole and the encoding costs little more time
// than the drawing.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <atomic>
#include <cstdint>
#include <future>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

class QIODevice;
struct isal_zstream;
struct z_stream_s;

namespace orvella {

class PngBands {
 public:
  // Starts the file: size in pixels, resolution in dots per metre, the height of a band in rows. out
  // must stay open until finish().
  PngBands(QIODevice& out, QSize size, int dotsPerMeter, int bandRows);
  ~PngBands();
  PngBands(const PngBands&) = delete;
  PngBands& operator=(const PngBands&) = delete;

  // The rows still to come, and the image to draw the next band into: white, the image's width, a
  // band high (the last one may be lower), QImage::Format_RGB32. Its first row is row top() of the
  // image. Null once everything was added or anything failed.
  int top() const { return rowsAdded_; }
  QImage& nextBand();
  // Hands the band drawn into nextBand() over to be compressed and written. False once anything
  // failed (the device refused a write, memory ran out); later calls then do nothing.
  bool addBand();
  // Writes what is still being compressed and ends the file. False when anything failed or rows are
  // missing.
  bool finish();

 private:
  // A band, what its compression makes of it and the compressors' state; the slots are used in
  // turn, so that memory holds a few bands whatever the size of the image. Buffers keep their
  // capacity from band to band.
  struct Slot {
    Slot();
    ~Slot();
    bool compress(std::atomic<bool>& drawnContent);  // on a thread of its own
    bool zlibReady();

    QImage image;
    std::vector<unsigned char> above;      // the row over the band's first, as 32-bit pixels
    std::vector<unsigned char> row;        // one filtered row
    std::vector<unsigned char> deflated;   // the band's piece of the stream
    std::vector<unsigned char> alternative;
    std::uint64_t filteredSize = 0;        // bytes of filtered rows the piece stands for
    std::uint32_t adler = 1;               // of the filtered rows
    std::unique_ptr<isal_zstream> isal;
    std::vector<unsigned char> isalLevelBuffer;
    std::unique_ptr<z_stream_s> zlib;  // made when first needed
    std::future<bool> compressed;
  };
  static constexpr std::size_t kSlots = 3;  // one drawn while two are compressed

  bool writeSlot(Slot& slot, bool last);
  bool writeChunk(const char* type, std::initializer_list<std::span<const unsigned char>> parts);
  bool drainUntil(std::size_t free);

  QIODevice& out_;
  QSize size_;
  int bandRows_;
  int rowsAdded_ = 0;
  std::size_t next_ = 0;     // the slot of the next band
  std::size_t written_ = 0;  // bands written so far
  std::size_t added_ = 0;    // bands handed over so far
  std::array<Slot, kSlots> slots_;
  std::vector<unsigned char> above_;  // the last row of the band added last
  std::atomic<bool> drawnContent_{true};  // what the band compressed last held, as a guess for the next
  std::uint32_t adler_ = 1;
  bool failed_ = false;
  QImage none_;
};

}  // namespace orvella
