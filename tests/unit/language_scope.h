// Speaks a language for the length of a test, and the one before it again afterwards.
#pragma once

#include "texts/texts.h"

namespace quorrin::testing {

class LanguageScope {
  public:
    explicit LanguageScope(Language language) : before_(CurrentLanguage()) {
        SetCurrentLanguage(language);
    }
    ~LanguageScope() { SetCurrentLanguage(before_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

  private:
    Language before_;
};

}  // namespace quorrin::testing
