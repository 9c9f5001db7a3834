#include "tests/support/jpeg_rows.h"

#include <cstdlib>

namespace gw::test {

std::string jpegOfRows(int width, int height, int components, J_COLOR_SPACE space, const std::string& row,
                       const std::function<void(jpeg_compress_struct&)>& configure) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);  // exits on error: acceptable for a test fixture
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  if (configure) configure(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::string line = row;  // libjpeg takes the row through a pointer to non-const
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = reinterpret_cast<JSAMPROW>(line.data());
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

}  // namespace gw::test
