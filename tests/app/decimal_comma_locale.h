#pragma once

#include <clocale>
#include <cstdio>
#include <locale>
#include <sstream>
#include <string>

namespace pluvetta::testing {

// While alive, both the C locale and the C++ global locale write numbers with a decimal
// comma, as on an Italian desktop; the old locales come back when it goes.
class DecimalCommaLocale {
  public:
    static constexpr const char* kName = "it_IT.UTF-8";

    DecimalCommaLocale() : savedC_(std::setlocale(LC_ALL, nullptr)) {
        std::setlocale(LC_ALL, kName);
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

    // "" when C and C++ both write 12.5 as "12,5"; otherwise what they write instead.
    std::string Fault() const {
        char c[16];
        std::snprintf(c, sizeof c, "%.1f", 12.5);
        std::ostringstream cpp;
        cpp << 12.5;
        const std::string both = c + (" " + cpp.str());
        return both == "12,5 12,5" ? "" : both + " (scripts/install-deps.sh makes " + kName + ")";
    }

  private:
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    std::string savedC_;
    std::locale savedCpp_;
};

}  // namespace pluvetta::testing
