#include "tests/support/scan_heavy_jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace gw::test {

std::string scanHeavyJpeg(int width, int height, int levels) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);  // exits on error: acceptable for a test fixture
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 1;
  cinfo.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  cinfo.arith_code = TRUE;

  // DC, then each AC coefficient on its own, each first sent at Al = levels - 1 and refined
  // down to Al = 0.
  std::vector<jpeg_scan_info> scans;
  for (int k = 0; k < 64; ++k)
    for (int al = levels - 1; al >= 0; --al) {
      jpeg_scan_info s{};
      s.comps_in_scan = 1;
      s.component_index[0] = 0;
      s.Ss = k;
      s.Se = k;
      s.Ah = al == levels - 1 ? 0 : al + 1;
      s.Al = al;
      scans.push_back(s);
    }
  cinfo.scan_info = scans.data();
  cinfo.num_scans = static_cast<int>(scans.size());

  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width), 128);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

}  // namespace gw::test
