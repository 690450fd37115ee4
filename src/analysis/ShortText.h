#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace namori {

// A text of at most N characters held in place: judgements are values made by the million in a
// batch, and a few short texts in place cost no allocation.
template <std::size_t N>
class ShortText {
  public:
    constexpr ShortText() = default;
    // Keeps the first N characters of text.
    constexpr ShortText(std::u16string_view text) : size_(text.size() < N ? text.size() : N) {
        for (std::size_t i = 0; i < size_; ++i) {
            chars_[i] = text[i];
        }
    }

    constexpr std::u16string_view view() const { return {chars_.data(), size_}; }
    constexpr operator std::u16string_view() const { return view(); }
    constexpr const char16_t* begin() const { return chars_.data(); }
    constexpr const char16_t* end() const { return chars_.data() + size_; }
    constexpr std::size_t size() const { return size_; }
    constexpr bool empty() const { return size_ == 0; }

    friend constexpr bool operator==(const ShortText& a, std::u16string_view b) {
        return a.view() == b;
    }
    // Characters past size() are always zero, so equal texts hold equal members.
    friend constexpr bool operator==(const ShortText& a, const ShortText& b) = default;

  private:
    std::array<char16_t, N> chars_{};
    std::size_t size_ = 0;
};

}  // namespace namori
