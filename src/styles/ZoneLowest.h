#pragma once
#include <algorithm>
#include <array>
#include <limits>

#include "model/Model.h"

namespace magmo {

// The lowest surface of the avalanche's zone, the first of equal ones in sweep order. The
// tree keeps the minimum of every power-of-two run of columns, so a search costs a few steps
// where a scan would visit the whole zone, and the surface changes one column at a time.
class ZoneLowest {
 public:
  ZoneLowest(const PerColumn<float>& topo, int dir) : topo_(topo), dir_(dir) {
    for (int i = 0; i < kLeaves; ++i)
      tree_[kLeaves + i] = {i <= kColumns ? topo_[i] : std::numeric_limits<float>::infinity(), i};
    for (int i = kLeaves - 1; i >= 1; --i) tree_[i] = first(tree_[2 * i], tree_[2 * i + 1]);
  }

  // Column x of the surface has changed.
  void changed(int x) {
    int i = kLeaves + x;
    tree_[i].height = topo_[x];
    for (i /= 2; i >= 1; i /= 2) tree_[i] = first(tree_[2 * i], tree_[2 * i + 1]);
  }

  // m and its column follow any surface of lo..hi, in sweep order, strictly lower than m.
  void rescan(int lo, int hi, float& m, int& cm) const {
    if (dir_ > 0 ? lo > hi : lo < hi) return;
    const Node found = lowest(std::min(lo, hi), std::max(lo, hi));
    if (found.height < m) {
      m = found.height;
      cm = found.x;
    }
  }

 private:
  struct Node {
    float height;
    int x;
  };
  static constexpr int kLeaves = 2048;

  // The lower of two runs of columns, `low` covering the lower column numbers; on equal
  // heights the one the sweep meets first.
  Node first(const Node& low, const Node& high) const {
    if (dir_ > 0) return low.height <= high.height ? low : high;
    return high.height <= low.height ? high : low;
  }

  Node lowest(int a, int b) const {
    Node low{std::numeric_limits<float>::infinity(), -1}, high = low;
    for (int l = a + kLeaves, r = b + kLeaves + 1; l < r; l /= 2, r /= 2) {
      if (l & 1) low = first(low, tree_[l++]);
      if (r & 1) high = first(tree_[--r], high);
    }
    return first(low, high);
  }

  const PerColumn<float>& topo_;
  int dir_;
  std::array<Node, 2 * kLeaves> tree_{};
};

}  // namespace magmo
