#include "editing_test_support.h"

#include <fstream>
#include <iterator>

#include "common/crossword_reader.h"
#include "common/jpeg.h"

namespace gw::gui::testing {

std::string samplePicture(int width, int height, bool redFirst) {
  std::string rgb;
  const std::string red("\xFF\x00\x00", 3), blue("\x00\x00\xFF", 3);
  for (int i = 0; i < width * height; ++i) rgb += (i % width < width / 2) == redFirst ? red : blue;
  return encodeJpegRgb(width, height, rgb);
}

CrosswordFile smallCrossword(int charset, const std::string& clueOfCde) {
  CrosswordFile f;
  f.rows = 2;
  f.columns = 3;
  f.board = "AB CDE";
  f.charset = static_cast<ClueCharset>(charset);
  if (!clueOfCde.empty()) f.definitions.push_back({Direction::Across, 1, 0, 3, clueOfCde});
  return f;
}

std::string readBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CrosswordFile readBack(const QString& path) {
  return parseCrossword(readBytes(path), CrosswordReadMode::Authoring);
}

void writeBytes(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace gw::gui::testing
