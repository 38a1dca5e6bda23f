// DiceStepList: a list of ints for the dice engine's step records. A turn has at
// most four steps, so those entries live inside the object and copying a node of
// the turn enumeration costs no allocation; longer lists still work, spilling the
// rest to the heap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tavlero {

class DiceStepList {
 public:
  static constexpr std::size_t kInline = 4;

  DiceStepList() = default;
  DiceStepList(const DiceStepList& other) : inline_(other.inline_), size_(other.size_) {
    if (other.spill_) spill_ = std::make_unique<std::vector<int>>(*other.spill_);
  }
  DiceStepList& operator=(const DiceStepList& other) {
    if (this != &other) {
      inline_ = other.inline_;
      size_ = other.size_;
      spill_ = other.spill_ ? std::make_unique<std::vector<int>>(*other.spill_) : nullptr;
    }
    return *this;
  }
  DiceStepList(DiceStepList&&) noexcept = default;
  DiceStepList& operator=(DiceStepList&&) noexcept = default;

  void push_back(int value) {
    if (size_ < kInline) {
      inline_[size_] = value;
    } else {
      if (!spill_) spill_ = std::make_unique<std::vector<int>>();
      spill_->push_back(value);
    }
    ++size_;
  }
  int operator[](std::size_t index) const { return index < kInline ? inline_[index] : (*spill_)[index - kInline]; }
  int back() const { return (*this)[size_ - 1]; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear() {
    size_ = 0;
    spill_.reset();
  }
  std::vector<int> ToVector() const {
    std::vector<int> values;
    values.reserve(size_);
    for (std::size_t i = 0; i < size_; ++i) values.push_back((*this)[i]);
    return values;
  }
  friend bool operator==(const DiceStepList& a, const DiceStepList& b) { return a.ToVector() == b.ToVector(); }

 private:
  std::array<int, kInline> inline_{};
  std::uint32_t size_ = 0;
  std::unique_ptr<std::vector<int>> spill_;
};

}  // namespace tavlero
