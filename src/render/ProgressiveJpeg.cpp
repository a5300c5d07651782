#include "render/ProgressiveJpeg.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <memory>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "render/EmbeddedThumbnail.h"
#include "render/ExifThumbnail.h"
#include "render/JpegHeader.h"
#include "render/PictureLimits.h"

namespace {

constexpr size_t kChunk = 64 * 1024;

// Reads the file in chunks as the decoder asks, so what it never asks for is never read.
struct FileSource {
  jpeg_source_mgr manager{};
  QFile* file = nullptr;
  JOCTET buffer[kChunk];
};

void initSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo) {
  auto* source = reinterpret_cast<FileSource*>(cinfo->src);
  const qint64 got = source->file->read(reinterpret_cast<char*>(source->buffer), kChunk);
  if (got <= 0) {
    // A file that ends early reads as ending there; the decoder warns and stops.
    static const JOCTET end[2] = {0xFF, JPEG_EOI};
    source->manager.next_input_byte = end;
    source->manager.bytes_in_buffer = 2;
    WARNMS(cinfo, JWRN_JPEG_EOF);
    return TRUE;
  }
  source->manager.next_input_byte = source->buffer;
  source->manager.bytes_in_buffer = static_cast<size_t>(got);
  return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr* source = cinfo->src;
  while (count > static_cast<long>(source->bytes_in_buffer)) {
    count -= static_cast<long>(source->bytes_in_buffer);
    source->fill_input_buffer(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<size_t>(count);
}

void termSource(j_decompress_ptr) {}

struct Failure {
  jpeg_error_mgr manager{};
  std::jmp_buf jump;
  bool warned = false;
};

[[noreturn]] void failed(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<Failure*>(cinfo->err)->jump, 1);
}

// Any warning (a premature end, corrupt data) makes the picture untrustworthy.
void warned(j_common_ptr cinfo, int level) {
  if (level < 0) reinterpret_cast<Failure*>(cinfo->err)->warned = true;
}

void silent(j_common_ptr) {}

// Everything the decoder touches lives here, on the heap, so the jump back from an
// error skips no destructor and finds every value as it was written.
struct Decoder {
  jpeg_decompress_struct cinfo{};
  Failure failure;
  FileSource source;
  QImage picture;
  int orientation = 1;
};

bool allDcScansBegun(const jpeg_decompress_struct& cinfo) {
  for (int c = 0; c < cinfo.num_components; ++c)
    if (cinfo.coef_bits[cinfo.comp_info[c].component_index][0] < 0) return false;
  return true;
}

// The decoding steps between setjmp and its jump; false when the file does not qualify.
bool decodeFirstScans(Decoder& d) {
  jpeg_decompress_struct& cinfo = d.cinfo;
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  if (!jpeg_has_multiple_scans(&cinfo) || !cinfo.progressive_mode) return false;
  if (!pictureSizeAllowed(cinfo.image_width, cinfo.image_height)) return false;
  if (cinfo.jpeg_color_space != JCS_YCbCr && cinfo.jpeg_color_space != JCS_RGB &&
      cinfo.jpeg_color_space != JCS_GRAYSCALE)
    return false;
  for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
    const ExifThumbnail exif = ParseExifThumbnail(QByteArrayView(
        reinterpret_cast<const char*>(marker->data), static_cast<qsizetype>(marker->data_length)));
    if (exif.orientation != 1) d.orientation = exif.orientation;
  }
  cinfo.buffered_image = TRUE;
  cinfo.scale_num = 1;
  cinfo.scale_denom = 8;
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  while (!allDcScansBegun(cinfo)) {
    if (jpeg_consume_input(&cinfo) == JPEG_REACHED_EOI) break;
  }
  if (!allDcScansBegun(cinfo) || d.failure.warned) return false;
  jpeg_start_output(&cinfo, cinfo.input_scan_number);
  d.picture = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                     QImage::Format_RGB32);
  if (d.picture.isNull()) return false;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = d.picture.scanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_output(&cinfo);
  return !d.failure.warned;
}

}  // namespace

QImage ReadProgressiveJpegAtEighth(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !EndsWithEndMarker(file))
    return {};
  const auto d = std::make_unique<Decoder>();
  d->cinfo.err = jpeg_std_error(&d->failure.manager);
  d->failure.manager.error_exit = failed;
  d->failure.manager.emit_message = warned;
  d->failure.manager.output_message = silent;
  if (setjmp(d->failure.jump)) {
    jpeg_destroy_decompress(&d->cinfo);
    return {};
  }
  jpeg_create_decompress(&d->cinfo);
  d->source.file = &file;
  d->source.manager.init_source = initSource;
  d->source.manager.fill_input_buffer = fillInput;
  d->source.manager.skip_input_data = skipInput;
  d->source.manager.resync_to_restart = jpeg_resync_to_restart;
  d->source.manager.term_source = termSource;
  d->cinfo.src = &d->source.manager;
  const bool decoded = decodeFirstScans(*d);
  jpeg_destroy_decompress(&d->cinfo);
  if (!decoded) return {};
  return TurnedUpright(d->picture, d->orientation);
}
