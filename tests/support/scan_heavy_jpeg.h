#pragma once
// Progressive, arithmetic-coded JPEGs with many scans of a flat picture: a few kilobytes that
// cost the decoder a pass over the whole picture per scan. Made here rather than committed, so
// that tests and benchmarks can ask for any size.
#include <string>

namespace gw::test {

// A grey (one component) progressive JPEG of width x height pixels whose scans take each of the
// 64 coefficients apart in `levels` successive-approximation steps: 64 * levels scans.
std::string scanHeavyJpeg(int width, int height, int levels);

}  // namespace gw::test
