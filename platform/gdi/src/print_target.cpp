#include "print_target.h"

#include <cctype>
#include <cstddef>

namespace scrivane::gdi {

namespace {

constexpr int kMaxWidth = 32;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Parses the conversion after a '%' at pattern[i]; returns the index after it, or 0 when it
// is not a page-number conversion.
std::size_t parseConversion(const std::string &pattern, std::size_t i, PrintTarget &t) {
    std::size_t j = i + 1;
    if (j < pattern.size() && pattern[j] == '0') {
        t.zeroPad = true;
        ++j;
    }
    int width = 0;
    while (j < pattern.size() && isDigit(pattern[j])) {
        width = width * 10 + (pattern[j] - '0');
        if (width > kMaxWidth) return 0;
        ++j;
    }
    if (j >= pattern.size() || pattern[j] != 'd') return 0;
    t.width = width;
    return j + 1;
}

} // namespace

std::unique_ptr<PrintTarget> PrintTarget::parse(const char *pattern) {
    if (!pattern || !*pattern) return nullptr;
    const std::string p(pattern);
    auto t = std::make_unique<PrintTarget>();
    for (std::size_t i = 0; i < p.size();) {
        std::string &out = t->numbered ? t->suffix : t->prefix;
        if (p[i] != '%') {
            out.push_back(p[i++]);
        } else if (i + 1 < p.size() && p[i + 1] == '%') {
            out.push_back('%');
            i += 2;
        } else {
            if (t->numbered) return nullptr;
            const std::size_t next = parseConversion(p, i, *t);
            if (next == 0) return nullptr;
            t->numbered = true;
            i = next;
        }
    }
    return t;
}

std::string PrintTarget::fileName(int page) const {
    if (!numbered) return prefix;
    std::string digits = std::to_string(page);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), static_cast<std::size_t>(width) - digits.size(),
                      zeroPad ? '0' : ' ');
    return prefix + digits + suffix;
}

std::shared_ptr<PrintTarget> &currentPrintTarget() {
    static std::shared_ptr<PrintTarget> target;
    return target;
}

} // namespace scrivane::gdi
