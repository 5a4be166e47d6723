// The print-to-file destination: the file-name pattern of the pages and the page counter.
#ifndef SCRIVANE_GDI_PRINT_TARGET_H
#define SCRIVANE_GDI_PRINT_TARGET_H

#include <memory>
#include <string>

namespace scrivane::gdi {

struct PrintTarget {
    std::string prefix;
    std::string suffix;
    bool numbered = false; // the pattern holds a %d conversion
    bool zeroPad = false;
    int width = 0;
    int nextPage = 1;

    // Null for a pattern with a conversion other than "%d", "%0Nd", "%Nd" or "%%", or with more
    // than one page-number conversion.
    static std::unique_ptr<PrintTarget> parse(const char *pattern);
    std::string fileName(int page) const;
};

// The destination PrintDlgA offers; null when none was chosen.
std::shared_ptr<PrintTarget> &currentPrintTarget();

} // namespace scrivane::gdi

#endif
