#include "tests/support/scan_heavy_jpeg.h"

#include <vector>

#include "tests/support/jpeg_rows.h"

namespace gw::test {

std::string scanHeavyJpeg(int width, int height, int levels) {
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
  return jpegOfRows(width, height, 1, JCS_GRAYSCALE, std::string(static_cast<std::size_t>(width), '\x80'),
                    [&scans](jpeg_compress_struct& cinfo) {
                      cinfo.arith_code = TRUE;
                      cinfo.scan_info = scans.data();
                      cinfo.num_scans = static_cast<int>(scans.size());
                    });
}

}  // namespace gw::test
