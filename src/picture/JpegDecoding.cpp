#include "picture/JpegDecoding.h"

#include <jerror.h>

#include <QByteArrayView>
#include <QFile>
#include <csetjmp>
#include <memory>

#include "picture/ExifThumbnail.h"
#include "picture/JpegHeader.h"
#include "picture/PictureLimits.h"

namespace {

constexpr size_t kChunk = 64 * 1024;

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

void warned(j_common_ptr cinfo, int level) {
  if (level < 0) reinterpret_cast<Failure*>(cinfo->err)->warned = true;
}

void silent(j_common_ptr) {}

// Everything the decoder touches lives here, on the heap, so the jump back from an
// error finds every value as it was written.
struct Decoder {
  jpeg_decompress_struct cinfo{};
  Failure failure;
  FileSource source;
};

}  // namespace

bool RunJpegDecoder(QFile& file, const std::function<bool(jpeg_decompress_struct&)>& steps) {
  const auto d = std::make_unique<Decoder>();
  d->cinfo.err = jpeg_std_error(&d->failure.manager);
  d->failure.manager.error_exit = failed;
  d->failure.manager.emit_message = warned;
  d->failure.manager.output_message = silent;
  if (setjmp(d->failure.jump)) {
    jpeg_destroy_decompress(&d->cinfo);
    return false;
  }
  jpeg_create_decompress(&d->cinfo);
  d->source.file = &file;
  d->source.manager.init_source = initSource;
  d->source.manager.fill_input_buffer = fillInput;
  d->source.manager.skip_input_data = skipInput;
  d->source.manager.resync_to_restart = jpeg_resync_to_restart;
  d->source.manager.term_source = termSource;
  d->cinfo.src = &d->source.manager;
  bool done = false;
  try {
    done = steps(d->cinfo);
  } catch (...) {
    jpeg_destroy_decompress(&d->cinfo);
    throw;
  }
  jpeg_destroy_decompress(&d->cinfo);
  return done && !d->failure.warned;
}

int SavedExifOrientation(const jpeg_decompress_struct& cinfo) {
  int orientation = 1;
  for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
    if (marker->marker != JPEG_APP0 + 1) continue;
    const ExifThumbnail exif = ParseExifThumbnail(QByteArrayView(
        reinterpret_cast<const char*>(marker->data), static_cast<qsizetype>(marker->data_length)));
    if (exif.orientation != 1) orientation = exif.orientation;
  }
  return orientation;
}

QByteArray SavedIccProfile(const jpeg_decompress_struct& cinfo) {
  QList<QByteArray> segments;
  for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
    if (marker->marker == JPEG_APP0 + 2)
      segments.append(QByteArray(reinterpret_cast<const char*>(marker->data),
                                 static_cast<qsizetype>(marker->data_length)));
  }
  return JoinedIccProfile(segments);
}

bool ReadPhotoHeader(jpeg_decompress_struct& cinfo, DecodedPicture& decoded) {
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  if (!pictureSizeAllowed(cinfo.image_width, cinfo.image_height)) return false;
  if (cinfo.jpeg_color_space != JCS_YCbCr && cinfo.jpeg_color_space != JCS_RGB &&
      cinfo.jpeg_color_space != JCS_GRAYSCALE)
    return false;
  decoded.orientation = SavedExifOrientation(cinfo);
  decoded.iccProfile = SavedIccProfile(cinfo);
  decoded.storedSize =
      QSize(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
  return true;
}
