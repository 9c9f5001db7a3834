#include "authoring/composing/search/restart_nogoods.h"

#include <utility>

namespace gw {

namespace {
// Literals kept at most (per lane); past this the nogoods start again from none.
constexpr std::size_t kMaxLiterals = std::size_t{1} << 22;
}  // namespace

void RestartNogoods::recordBranch(const std::vector<Literal>& decisions,
                                  const std::vector<Refutation>& refuted) {
  for (const Refutation& r : refuted) {
    // Refuted under no decision: the search keeps that exclusion itself.
    if (r.depth == 0 || r.depth > decisions.size()) continue;
    if (literals_.size() + r.depth + 1 > kMaxLiterals) clear();
    const auto begin = static_cast<std::uint32_t>(literals_.size());
    const auto id = static_cast<std::uint32_t>(nogoods_.size());
    literals_.push_back(r.literal);
    literals_.push_back(decisions[r.depth - 1]);
    literals_.insert(literals_.end(), decisions.begin(),
                     decisions.begin() + static_cast<std::ptrdiff_t>(r.depth - 1));
    nogoods_.push_back({begin, static_cast<std::uint32_t>(r.depth + 1)});
    watches_[key(literals_[begin])].push_back(id);
    watches_[key(literals_[begin + 1])].push_back(id);
  }
}

bool RestartNogoods::consequences(const std::vector<Literal>& decisions, FillPropagator& propagator,
                                  std::vector<SlotId>& narrowed) {
  if (nogoods_.empty() || decisions.empty()) return true;
  const Literal now = decisions.back();
  // Most decisions are watched by no nogood: the branch's decisions are marked only when one is.
  const auto found = watches_.find(key(now));
  if (found == watches_.end() || found->second.empty()) return true;
  for (Literal l : marked_) taken_[l.slot.index()] = kNone;
  marked_.clear();
  for (Literal l : decisions) {
    if (taken_.size() <= l.slot.index()) taken_.resize(l.slot.index() + 1, kNone);
    taken_[l.slot.index()] = l.word;
    marked_.push_back(l);
  }
  std::vector<std::uint32_t>& watching = found->second;
  for (std::size_t i = 0; i < watching.size();) {
    const std::uint32_t id = watching[i];
    Literal* l = literals_.data() + nogoods_[id].begin;
    const std::uint32_t size = nogoods_[id].size;
    if (key(l[0]) == key(now)) std::swap(l[0], l[1]);
    // l[1] is taken now: watch another literal not taken, if there is one.
    bool moved = false;
    for (std::uint32_t k = 2; k < size; ++k)
      if (!taken(l[k])) {
        std::swap(l[1], l[k]);
        watches_[key(l[1])].push_back(id);
        watching[i] = watching.back();
        watching.pop_back();
        moved = true;
        break;
      }
    if (moved) continue;
    // Everything but l[0] is taken: it must not be.
    if (taken(l[0])) return false;
    if (propagator.has(l[0].slot, l[0].word)) narrowed.push_back(l[0].slot);
    if (!propagator.exclude(l[0].slot, l[0].word)) return false;
    ++i;
  }
  return true;
}

void RestartNogoods::clear() {
  literals_.clear();
  nogoods_.clear();
  watches_.clear();
}

}  // namespace gw
