#pragma once
// Word lists for searches that must see many words: every word over an alphabet of the given
// lengths, each kept with a chance, from a fixed seed so that every run sees the same list.
#include <random>
#include <string>
#include <vector>

namespace gw::test {

inline std::vector<std::string> randomWords(const std::string& alphabet, const std::vector<int>& lengths,
                                            double keep, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> coin(0, 1);
  std::vector<std::string> words;
  for (int len : lengths) {
    std::vector<std::string> all{""};
    for (int k = 0; k < len; ++k) {
      std::vector<std::string> next;
      for (const std::string& prefix : all)
        for (char ch : alphabet) next.push_back(prefix + ch);
      all.swap(next);
    }
    for (const std::string& w : all)
      if (coin(rng) < keep) words.push_back(w);
  }
  return words;
}

}  // namespace gw::test
