#include "data/TextNormalization.h"

#include <unicode/unorm2.h>
#include <unicode/uset.h>

#include <cstdint>

namespace namori {

namespace {

// ICU's composing normaliser, restricted to every character but the CJK compatibility
// ideographs. Made once and never changed.
class Composer {
  public:
    Composer() {
        UErrorCode status = U_ZERO_ERROR;
        const UNormalizer2* composed = unorm2_getNFCInstance(&status);
        exceptions_ = uset_openPattern(u"[^\\uF900-\\uFAFF\\U0002F800-\\U0002FA1F]", -1, &status);
        if (U_SUCCESS(status)) {
            uset_freeze(exceptions_);
            normalizer_ = unorm2_openFiltered(composed, exceptions_, &status);
        }
        if (U_FAILURE(status)) {
            normalizer_ = nullptr;
        }
    }
    ~Composer() {
        if (normalizer_ != nullptr) {
            unorm2_close(normalizer_);
        }
        if (exceptions_ != nullptr) {
            uset_close(exceptions_);
        }
    }
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;

    std::u16string Compose(std::u16string_view text) const {
        const auto length = static_cast<int32_t>(text.size());
        UErrorCode status = U_ZERO_ERROR;
        if (normalizer_ == nullptr || text.size() > INT32_MAX / 4 ||
            unorm2_isNormalized(normalizer_, text.data(), length, &status) != 0 ||
            U_FAILURE(status)) {
            return std::u16string(text);
        }
        // Composition never lengthens text; the room is ICU's own estimate for odd cases.
        std::u16string result(text.size() * 3 + 4, u'\0');
        status = U_ZERO_ERROR;
        const int32_t written = unorm2_normalize(normalizer_, text.data(), length, result.data(),
                                                 static_cast<int32_t>(result.size()), &status);
        if (U_FAILURE(status)) {
            return std::u16string(text);
        }
        result.resize(static_cast<std::size_t>(written));
        return result;
    }

  private:
    USet* exceptions_ = nullptr;
    UNormalizer2* normalizer_ = nullptr;
};

}  // namespace

std::u16string ComposedText(std::u16string_view text) {
    static const Composer composer;
    return composer.Compose(text);
}

}  // namespace namori
