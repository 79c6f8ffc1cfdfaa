#include "ui/dialogs/HandOver.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

namespace melodex {
namespace {

// A whole number of any size: 32-bit limbs, the least significant first, no zero limb on top.
class Whole {
 public:
  bool IsZero() const { return limbs_.empty(); }

  int Bits() const {
    if (limbs_.empty()) return 0;
    return 32 * static_cast<int>(limbs_.size() - 1) + std::bit_width(limbs_.back());
  }

  // this = this * factor + addend
  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      carry += std::uint64_t{limb} * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  void MultiplyByPowerOfTen(int exponent) {
    for (; exponent >= 9; exponent -= 9) MultiplyAdd(1000000000, 0);
    for (; exponent > 0; --exponent) MultiplyAdd(10, 0);
  }

  void ShiftLeft(int bits) {
    if (limbs_.empty()) return;
    const int bitShift = bits % 32;
    if (bitShift) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t next = limb >> (32 - bitShift);
        limb = (limb << bitShift) | carry;
        carry = next;
      }
      if (carry) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0);
  }

  void ShiftRightOne() {
    std::uint32_t carry = 0;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      const std::uint32_t next = limbs_[i] << 31;
      limbs_[i] = (limbs_[i] >> 1) | carry;
      carry = next;
    }
    Trim();
  }

  bool NotLessThan(const Whole& other) const {
    if (limbs_.size() != other.limbs_.size()) return limbs_.size() > other.limbs_.size();
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      if (limbs_[i] != other.limbs_[i]) return limbs_[i] > other.limbs_[i];
    }
    return true;
  }

  // this = this - other, where this is not less than other.
  void Subtract(const Whole& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = std::int64_t{limbs_[i]} - borrow;
      if (i < other.limbs_.size()) difference -= other.limbs_[i];
      borrow = difference < 0;
      limbs_[i] = static_cast<std::uint32_t>(difference);
    }
    Trim();
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

// The quotient of dividend by divisor, when it is below 2^56; the remainder is left in
// dividend.
std::uint64_t Divide(Whole& dividend, Whole divisor) {
  std::uint64_t quotient = 0;
  divisor.ShiftLeft(55);
  for (int bit = 55; bit >= 0; --bit) {
    quotient <<= 1;
    if (dividend.NotLessThan(divisor)) {
      dividend.Subtract(divisor);
      quotient |= 1;
    }
    divisor.ShiftRightOne();
  }
  return quotient;
}

// Digits beyond these cannot change which number is nearest, except by being there: every
// number halfway between two doubles has at most 767 significant digits.
constexpr int kMostDigits = 800;

// The double nearest to `number`, digits with at most one decimal point; of two equally near,
// the one whose last bit is 0. Too large gives infinity; too small, 0.
double Nearest(std::wstring_view number) {
  Whole value;  // the number is value * 10^exponent
  int exponent = 0;
  int digits = 0;
  bool point = false;
  bool beyond = false;  // a digit other than 0 after the digits kept
  for (const wchar_t c : number) {
    if (c == L'.') {
      point = true;
      continue;
    }
    const auto digit = static_cast<std::uint32_t>(c - L'0');
    if (digits == 0 && digit == 0) {
      if (point) --exponent;
    } else if (digits < kMostDigits) {
      value.MultiplyAdd(10, digit);
      ++digits;
      if (point) --exponent;
    } else {
      beyond = beyond || digit != 0;
      if (!point) ++exponent;
    }
  }
  if (digits == 0) return 0;
  if (beyond) {
    // One more digit stands for all of them: it keeps the number between the same two
    // neighbours, and off the point halfway between them.
    value.MultiplyAdd(10, 1);
    ++digits;
    --exponent;
  }
  const int leading = exponent + digits - 1;  // the power of ten of the first digit
  if (leading > 308) return std::numeric_limits<double>::infinity();
  if (leading < -324) return 0;  // below half the least number above 0

  Whole scale;
  scale.MultiplyAdd(1, 1);
  if (exponent >= 0) {
    value.MultiplyByPowerOfTen(exponent);
  } else {
    scale.MultiplyByPowerOfTen(-exponent);
  }
  // value / scale * 2^shift, the number in binary with 54 or 55 bits before the point.
  int shift = 54 - (value.Bits() - scale.Bits());
  if (shift > 0) {
    value.ShiftLeft(shift);
  } else {
    scale.ShiftLeft(-shift);
  }
  std::uint64_t bits = Divide(value, scale);
  bool rest = !value.IsZero();  // anything below the last bit
  if (bits >> 54) {
    rest = rest || (bits & 1);
    bits >>= 1;
    --shift;
  }
  // 53 bits and one to round by. Below 2^-1022 fewer are kept: the last is 2^-1074.
  if (shift > 1075) {
    const int drop = shift - 1075;
    rest = rest || (drop >= 64 ? bits != 0 : (bits & ((std::uint64_t{1} << drop) - 1)) != 0);
    bits = drop >= 64 ? 0 : bits >> drop;
    shift = 1075;
  }
  std::uint64_t mantissa = bits >> 1;
  if ((bits & 1) && (rest || (mantissa & 1))) ++mantissa;
  constexpr std::uint64_t kHidden = std::uint64_t{1} << 52;
  if (mantissa < kHidden) return std::bit_cast<double>(mantissa);  // below 2^-1022, or 0
  int top = 53 - shift;  // the power of two of the leading bit
  if (mantissa == 2 * kHidden) {
    mantissa >>= 1;
    ++top;
  }
  if (top > 1023) return std::numeric_limits<double>::infinity();
  return std::bit_cast<double>((static_cast<std::uint64_t>(top + 1023) << 52) |
                               (mantissa - kHidden));
}

}  // namespace

double HandOverNumber(std::wstring_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
  double sign = 1;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
    if (text[at] == L'-') sign = -1;
    ++at;
  }
  // The digits and the decimal point, converted as a whole to the nearest number: adding them
  // up one by one rounds at every step, and "8.99999999999999999999" would come out above 9.
  // Too many digits before the point give infinity.
  const std::size_t start = at;
  bool point = false;
  for (; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c == L'.' && !point) {
      point = true;
    } else if (c < L'0' || c > L'9') {
      break;
    }
  }
  return sign * Nearest(text.substr(start, at - start));
}

}  // namespace melodex
