#include "hpgl_reader.h"
#include <cstdlib>
#include <set>

namespace hpgl {

namespace {
const std::set<std::string> &knownMnemonics() {
    static const std::set<std::string> known = {"IN", "RO", "IP", "FT", "NP", "TR", "PC", "PS", "LA", "IW",
                                                "SP", "PW", "PE", "LT", "UL", "PU", "PD", "PA", "PR", "PM",
                                                "FP", "SD", "SS", "LO", "DI", "LB", "SM", "PG"};
    return known;
}

bool isSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

struct Reader {
    const std::string &s;
    size_t i = 0;
    double x = 0, y = 0;  // pen position, absolute plotter units
    bool relative = false; // PR in force
    bool polygonOpen = false;
    Stream result;

    explicit Reader(const std::string &bytes) : s(bytes) {}
    unsigned char at(size_t k) const { return static_cast<unsigned char>(s[k]); }

    bool fail(const std::string &what) {
        result.error = what + " at byte " + std::to_string(i);
        return false;
    }

    bool readPE(Command &c) {
        bool penUpNext = false, absoluteNext = false, selectNext = false;
        bool haveX = false;
        long long px = 0;
        while (true) {
            if (i >= s.size()) return fail("PE data not ended by ';'");
            unsigned char b = at(i);
            if (b == ';') {
                if (haveX) return fail("PE coordinate pair incomplete");
                if (selectNext || penUpNext || absoluteNext) return fail("PE flag without its number");
                i++;
                return true;
            }
            if (b == ':' || b == '<' || b == '=') {
                if (haveX) return fail("PE flag inside a coordinate pair");
                if (b == ':') selectNext = true;
                if (b == '<') penUpNext = true;
                if (b == '=') absoluteNext = true;
                i++;
                continue;
            }
            long long v = 0;
            size_t before = i;
            if (!decodeNumber(s, i, v)) {
                i = before;
                return fail("byte that is not PE data or a number cut short");
            }
            c.params.push_back(static_cast<double>(v));
            if (selectNext) {
                if (v < 0) return fail("negative pen in PE");
                c.selectedPen = static_cast<int>(v);
                selectNext = false;
            } else if (!haveX) {
                px = v;
                haveX = true;
            } else {
                if (absoluteNext) {
                    x = static_cast<double>(px);
                    y = static_cast<double>(v);
                } else {
                    x += static_cast<double>(px);
                    y += static_cast<double>(v);
                }
                c.vertices.push_back(Vertex{penUpNext, x, y});
                penUpNext = absoluteNext = haveX = false;
            }
        }
    }

    bool readNumbers(Command &c) {
        while (true) {
            while (i < s.size() && (at(i) == ',' || isSpace(at(i)))) i++;
            size_t start = i;
            if (i < s.size() && (at(i) == '-' || at(i) == '+')) i++;
            size_t digitsStart = i;
            while (i < s.size() && (isDigit(at(i)) || at(i) == '.')) i++;
            if (i == digitsStart) {
                i = start;
                break;
            }
            std::string number = s.substr(start, i - start);
            char *end = nullptr;
            double v = strtod(number.c_str(), &end);
            if (!end || *end) return fail("bad number '" + number + "'");
            c.params.push_back(v);
        }
        if (i < s.size()) {
            unsigned char b = at(i);
            if (b == ';')
                i++;
            else if (!isUpper(b) && !isSpace(b) && b != 0x1B)
                return fail("stray byte after " + c.mnemonic + " parameters");
        }
        return true;
    }

    bool movePen(Command &c, bool penUp) {
        if (c.params.size() % 2) return fail(c.mnemonic + " with an odd number of coordinates");
        for (size_t k = 0; k + 1 < c.params.size(); k += 2) {
            if (relative) {
                x += c.params[k];
                y += c.params[k + 1];
            } else {
                x = c.params[k];
                y = c.params[k + 1];
            }
            c.vertices.push_back(Vertex{penUp, x, y});
        }
        return true;
    }

    bool readCommand() {
        Command c;
        c.offset = i;
        if (at(i) == 0x1B) {
            static const std::string escape = "\x1b%-1B";
            if (s.compare(i, escape.size(), escape) != 0) return fail("unknown escape sequence");
            c.mnemonic = "ESC";
            c.text = escape;
            i += escape.size();
            c.raw = escape;
            result.commands.push_back(c);
            return true;
        }
        if (i + 1 >= s.size() || !isUpper(at(i)) || !isUpper(at(i + 1))) return fail("no command starts here");
        c.mnemonic = s.substr(i, 2);
        if (!knownMnemonics().count(c.mnemonic)) return fail("unknown command " + c.mnemonic);
        i += 2;
        bool ok = true;
        if (c.mnemonic == "PE") {
            ok = readPE(c);
        } else if (c.mnemonic == "LB") {
            size_t end = s.find('\x03', i);
            if (end == std::string::npos) return fail("label not ended by 0x03");
            c.text = s.substr(i, end - i);
            i = end + 1;
        } else if (c.mnemonic == "SM") {
            if (i < s.size() && at(i) != ';' && !isSpace(at(i))) c.text = s.substr(i++, 1);
            if (i < s.size() && at(i) == ';') i++;
        } else {
            ok = readNumbers(c);
            if (ok) {
                const std::string &m = c.mnemonic;
                if (m == "IN") {
                    x = y = 0;
                    relative = false;
                } else if (m == "PA") {
                    relative = false;
                    ok = movePen(c, false);
                } else if (m == "PR") {
                    relative = true;
                    ok = movePen(c, false);
                } else if (m == "PU" || m == "PD") {
                    ok = movePen(c, m == "PU");
                } else if (m == "PM") {
                    int mode = c.params.empty() ? 0 : static_cast<int>(c.params[0]);
                    if (mode == 0) {
                        if (polygonOpen) return fail("PM0 inside polygon mode");
                        polygonOpen = true;
                    } else if (mode == 2) {
                        if (!polygonOpen) return fail("PM2 outside polygon mode");
                        polygonOpen = false;
                    } else {
                        return fail("unexpected PM mode");
                    }
                }
            }
        }
        if (!ok) return false;
        c.raw = s.substr(c.offset, i - c.offset);
        result.commands.push_back(c);
        return true;
    }

    void run() {
        while (i < s.size()) {
            unsigned char b = at(i);
            if (isSpace(b) || b == ';') {
                i++;
                continue;
            }
            if (!readCommand()) return;
        }
        if (polygonOpen) {
            fail("stream ends in polygon mode");
            return;
        }
        size_t end = s.find_last_not_of(" \t\r\n");
        if (end != std::string::npos && s[end] != ';' && s[end] != '\x03') {
            i = end;
            fail("stream does not end with ';'");
        }
    }
};
} // namespace

bool decodeNumber(const std::string &text, size_t &pos, long long &value) {
    unsigned long long u = 0, factor = 1;
    size_t k = pos;
    for (int digits = 0; k < text.size() && digits < 11; digits++, k++) {
        unsigned c = static_cast<unsigned char>(text[k]);
        if (c >= 63 && c <= 126) {
            u += (c - 63) * factor;
            factor *= 64;
        } else if (c >= 191 && c <= 254) {
            u += (c - 191) * factor;
            pos = k + 1;
            value = (u % 2 == 0) ? static_cast<long long>(u / 2) : -static_cast<long long>(u / 2);
            return true;
        } else {
            return false;
        }
    }
    return false;
}

std::string Stream::mnemonics() const {
    std::string out;
    for (const Command &c : commands) {
        if (!out.empty()) out += ' ';
        out += c.mnemonic;
    }
    return out;
}

std::vector<const Command *> Stream::all(const std::string &mnemonic) const {
    std::vector<const Command *> found;
    for (const Command &c : commands)
        if (c.mnemonic == mnemonic) found.push_back(&c);
    return found;
}

int Stream::count(const std::string &mnemonic) const { return static_cast<int>(all(mnemonic).size()); }

Stream parse(const std::string &bytes) {
    Reader reader(bytes);
    reader.run();
    return reader.result;
}

} // namespace hpgl
