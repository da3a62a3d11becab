#include "export/jpeg_encode.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

#include "base/error.h"

namespace plakato {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It jumps back to RunEncoder; no C++ exception ever crosses libjpeg's frames.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// The output grows in a vector owned by the caller, so every byte is freed by
// the vector's own destructor whatever way the encoding ends.
struct VectorDestination {
  jpeg_destination_mgr pub;
  std::vector<uint8_t>* bytes;
};

// Everything the encoder touches lives here, outside the frame that calls
// setjmp, so nothing is lost or left indeterminate by the jump.
struct EncodeJob {
  jpeg_compress_struct cinfo{};
  ErrorManager errors{};
  VectorDestination destination{};
  std::vector<uint8_t> bytes;
  std::vector<JSAMPLE> row;
  int failure = 0;  // libjpeg message code of the error, when one occurred
};

constexpr size_t kFirstOutputSize = 16 * 1024;

void OnError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr) {}  // the program has no console; warnings are not shown

// Grows the vector to at least `size` bytes. Returns false when memory runs out;
// the caller then raises libjpeg's out-of-memory error outside any catch block.
bool GrowTo(std::vector<uint8_t>& bytes, size_t size) noexcept {
  try {
    bytes.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  if (!GrowTo(*dest->bytes, kFirstOutputSize)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
  dest->pub.next_output_byte = dest->bytes->data();
  dest->pub.free_in_buffer = dest->bytes->size();
}

boolean EmptyDestination(j_compress_ptr cinfo) {
  // Called when the whole buffer is full: double it and go on after its end.
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  size_t used = dest->bytes->size();
  if (!GrowTo(*dest->bytes, used * 2)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
  dest->pub.next_output_byte = dest->bytes->data() + used;
  dest->pub.free_in_buffer = dest->bytes->size() - used;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  dest->bytes->resize(dest->bytes->size() - dest->pub.free_in_buffer);
}

// The libjpeg calls. No object with a destructor lives in this frame, so the
// jump back from OnError skips nothing that needed to run.
bool RunEncoder(EncodeJob& job, const PixelCanvas& picture) {
  jpeg_compress_struct& cinfo = job.cinfo;
  cinfo.err = jpeg_std_error(&job.errors.pub);
  job.errors.pub.error_exit = OnError;
  job.errors.pub.output_message = OnMessage;
  if (setjmp(job.errors.jump)) {
    job.failure = job.errors.pub.msg_code;
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);

  job.destination.pub.init_destination = InitDestination;
  job.destination.pub.empty_output_buffer = EmptyDestination;
  job.destination.pub.term_destination = TermDestination;
  job.destination.bytes = &job.bytes;
  cinfo.dest = &job.destination.pub;

  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  cinfo.dct_method = JDCT_FLOAT;

  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW rows[1] = {job.row.data()};
  const uint32_t* source = picture.pixels.data();
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      uint32_t colour = *source++;  // 0x00BBGGRR
      job.row[3 * x] = static_cast<JSAMPLE>(colour & 0xFF);
      job.row[3 * x + 1] = static_cast<JSAMPLE>((colour >> 8) & 0xFF);
      job.row[3 * x + 2] = static_cast<JSAMPLE>((colour >> 16) & 0xFF);
    }
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const PixelCanvas& picture) {
  if (picture.width > 0 && picture.height > 0 &&
      picture.pixels.size() < static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
    throw AppError(L"要编码的图片像素比它的尺寸少");
  }
  EncodeJob job;
  // A width libjpeg refuses gets an empty row; libjpeg reports the error.
  job.row.resize(picture.width > 0 ? static_cast<size_t>(picture.width) * 3 : 0);
  if (!RunEncoder(job, picture)) throw AppError(L"JPEG error #" + std::to_wstring(job.failure));
  return std::move(job.bytes);
}

}  // namespace plakato
