#pragma once
// JPEGs made with libjpeg for tests of the decoder: any colour space, size and scan layout,
// each row of the picture alike.
#include <cstdio>  // jpeglib.h needs FILE
#include <functional>
#include <string>

#include <jpeglib.h>

namespace gw::test {

// A JPEG of width x height pixels in `space`, whose every row is `row` (width x components
// bytes). `configure` changes libjpeg's defaults (quality, scans, coding) before compression.
std::string jpegOfRows(int width, int height, int components, J_COLOR_SPACE space, const std::string& row,
                       const std::function<void(jpeg_compress_struct&)>& configure = {});

}  // namespace gw::test
