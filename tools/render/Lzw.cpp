#include "Lzw.h"

#include <cassert>

namespace render {

namespace {

constexpr int kMaxCodeSize = 12;
constexpr int kTableSize = 1 << kMaxCodeSize;

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(int code, int width) {
    pending_ |= static_cast<std::uint32_t>(code) << pendingBits_;
    pendingBits_ += width;
    while (pendingBits_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(pending_));
      pending_ >>= 8;
      pendingBits_ -= 8;
    }
  }

  void Flush() {
    if (pendingBits_ > 0) out_.push_back(static_cast<std::uint8_t>(pending_));
    pending_ = 0;
    pendingBits_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint32_t pending_ = 0;
  int pendingBits_ = 0;
};

}  // namespace

std::vector<std::uint8_t> LzwCompress(const std::vector<std::uint8_t>& indices, int minimumCodeSize) {
  assert(minimumCodeSize >= 2 && minimumCodeSize <= 8);
  const int clearCode = 1 << minimumCodeSize;
  const int endCode = clearCode + 1;
  const int alphabet = 1 << minimumCodeSize;

  // child[code * alphabet + index]: the code of the string `code` followed by
  // `index`, or 0 when the table has no such string (0 is never a longer string).
  std::vector<std::uint16_t> child(static_cast<std::size_t>(kTableSize) * alphabet, 0);
  std::vector<std::uint8_t> out;
  BitWriter bits(out);

  int codeSize = minimumCodeSize + 1;
  int lastCode = endCode;
  bits.Put(clearCode, codeSize);
  if (indices.empty()) {
    bits.Put(endCode, codeSize);
    bits.Flush();
    return out;
  }

  int current = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const int next = indices[i];
    assert(next < alphabet);
    std::uint16_t& known = child[static_cast<std::size_t>(current) * alphabet + next];
    if (known != 0) {
      current = known;
      continue;
    }
    bits.Put(current, codeSize);
    known = static_cast<std::uint16_t>(++lastCode);
    // The decoder widens its codes once the table reaches the next power of two.
    if (lastCode >= (1 << codeSize) && codeSize < kMaxCodeSize) ++codeSize;
    if (lastCode == kTableSize - 1) {
      bits.Put(clearCode, codeSize);
      std::fill(child.begin(), child.end(), 0);
      codeSize = minimumCodeSize + 1;
      lastCode = endCode;
    }
    current = next;
  }
  bits.Put(current, codeSize);
  bits.Put(endCode, codeSize);
  bits.Flush();
  return out;
}

}  // namespace render
