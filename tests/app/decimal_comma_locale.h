#pragma once

#include <clocale>
#include <locale>
#include <string>

namespace pluvetta::testing {

// While alive, both the C locale and the C++ global locale write numbers with a decimal
// comma, as on an Italian desktop; the old locales come back when it goes.
class DecimalCommaLocale {
  public:
    static constexpr const char* kName = "it_IT.UTF-8";

    DecimalCommaLocale() : savedC_(std::setlocale(LC_ALL, nullptr)) {
        cSet_ = std::setlocale(LC_ALL, kName) != nullptr;
        // A locale with a facet of its own has no name, so making it global leaves the C
        // locale as set above.
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    }
    ~DecimalCommaLocale() {
        std::locale::global(savedCpp_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    // False when the machine lacks the Italian locale (scripts/install-deps.sh makes it).
    bool CLocaleSet() const { return cSet_; }

  private:
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    std::string savedC_;
    std::locale savedCpp_;
    bool cSet_ = false;
};

}  // namespace pluvetta::testing
