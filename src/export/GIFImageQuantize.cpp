// Octree colour quantiser: colours are added down the tree by their bits; while there are more
// leaves than wanted, the deepest reducible node folds its children into itself.

#include <algorithm>

#include "export/GIFImageReduce.h"

namespace kvexport {

struct TColorQuantizer::TOctreeNode {
  bool IsLeaf = false;
  int PixelCount = 0;
  long long RedSum = 0, GreenSum = 0, BlueSum = 0;
  TOctreeNode* Next = nullptr;  // next reducible node of the same level
  std::unique_ptr<TOctreeNode> Child[8];
};

TColorQuantizer::TColorQuantizer(int AMaxColors, int AColorBits)
    : FMaxColors(std::max(AMaxColors, 1)), FColorBits(std::clamp(AColorBits, 1, 8)) {}

TColorQuantizer::~TColorQuantizer() = default;

void TColorQuantizer::AddColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) {
  AddColors(Red, Green, Blue, 1);
}

// The second and later pixels of one colour in a row reach the leaf the first one reached
// (only a new leaf can start a reduction), so a run is added at once.
void TColorQuantizer::AddColors(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, long long Count) {
  AddColor(FTree, Red, Green, Blue, 0, Count);
  while (FLeafCount > FMaxColors && ReduceTree()) {
  }
}

void TColorQuantizer::ProcessImage(const std::uint8_t* const* Rows, int Width, int Height) {
  // Runs of one colour (a chart is mostly runs) go down the tree once.
  long long run = 0;
  std::uint8_t r = 0, g = 0, b = 0;
  for (int y = 0; y < Height; ++y) {
    const std::uint8_t* p = Rows[y];
    for (int x = 0; x < Width; ++x, p += 3) {
      if (run > 0 && p[2] == r && p[1] == g && p[0] == b) {
        ++run;
        continue;
      }
      if (run > 0) AddColors(r, g, b, run);
      r = p[2], g = p[1], b = p[0];
      run = 1;
    }
  }
  if (run > 0) AddColors(r, g, b, run);
}

void TColorQuantizer::AddColor(std::unique_ptr<TOctreeNode>& Node, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                               int Level, long long Count) {
  // Walks down without recursion: a chart picture sends millions of pixels through here.
  std::unique_ptr<TOctreeNode>* node = &Node;
  for (;;) {
    if (!*node) {
      *node = std::make_unique<TOctreeNode>();
      if (Level == FColorBits) {
        (*node)->IsLeaf = true;
        ++FLeafCount;
      } else {
        (*node)->Next = FReducible[static_cast<std::size_t>(Level)];
        FReducible[static_cast<std::size_t>(Level)] = node->get();
      }
    }
    TOctreeNode& n = **node;
    if (n.IsLeaf) {
      n.PixelCount += Count;
      n.RedSum += r * Count;
      n.GreenSum += g * Count;
      n.BlueSum += b * Count;
      return;
    }
    const int mask = 0x80 >> Level, shift = 7 - Level;
    const int index = ((r & mask) >> shift) << 2 | ((g & mask) >> shift) << 1 | ((b & mask) >> shift);
    node = &n.Child[index];
    ++Level;
  }
}

bool TColorQuantizer::ReduceTree() {
  int level = FColorBits - 1;
  while (level > 0 && !FReducible[static_cast<std::size_t>(level)]) --level;
  TOctreeNode* node = FReducible[static_cast<std::size_t>(level)];
  if (!node) return false;
  FReducible[static_cast<std::size_t>(level)] = node->Next;
  int children = 0;
  for (auto& child : node->Child) {
    if (!child) continue;
    node->PixelCount += child->PixelCount;
    node->RedSum += child->RedSum;
    node->GreenSum += child->GreenSum;
    node->BlueSum += child->BlueSum;
    child.reset();
    ++children;
  }
  node->IsLeaf = true;
  FLeafCount -= children - 1;
  return true;
}

std::vector<TGIFColor> TColorQuantizer::ColorTable() const {
  std::vector<TGIFColor> colors;
  std::vector<const TOctreeNode*> stack;
  if (FTree) stack.push_back(FTree.get());
  while (!stack.empty()) {
    const TOctreeNode* n = stack.back();
    stack.pop_back();
    if (n->IsLeaf) {
      if (n->PixelCount == 0) {
        colors.push_back(TGIFColor{});
      } else {
        colors.push_back(TGIFColor{static_cast<std::uint8_t>(n->RedSum / n->PixelCount),
                                   static_cast<std::uint8_t>(n->GreenSum / n->PixelCount),
                                   static_cast<std::uint8_t>(n->BlueSum / n->PixelCount)});
      }
      continue;
    }
    // Pushed in reverse, so that children come out in index order.
    for (int i = 7; i >= 0; --i)
      if (n->Child[i]) stack.push_back(n->Child[i].get());
  }
  return colors;
}

}  // namespace kvexport
