#pragma once

#include <clocale>
#include <cstdio>
#include <locale>
#include <sstream>
#include <string>

namespace pluvetta::testing {

// While alive, both the C locale and the C++ global locale write numbers with a decimal
// comma, as on an Italian desktop (scripts/install-deps.sh makes the it_IT.UTF-8 locale).
class DecimalCommaLocale {
  public:
    DecimalCommaLocale() : savedC_(std::setlocale(LC_ALL, nullptr)) {
        std::setlocale(LC_ALL, "it_IT.UTF-8");
        // A locale with a facet of its own has no name, so making it global leaves the C
        // locale as set above.
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    }
    ~DecimalCommaLocale() {
        std::locale::global(savedCpp_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }

    // "12,5 12,5" when C and C++ both write 12.5 with a comma.
    static std::string Written() {
        char c[16];
        std::snprintf(c, sizeof c, "%.1f", 12.5);
        std::ostringstream cpp;
        cpp << 12.5;
        return c + (" " + cpp.str());
    }

  private:
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };

    std::string savedC_;
    std::locale savedCpp_;
};

}  // namespace pluvetta::testing
