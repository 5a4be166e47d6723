// Structural reader of clear-text CGM and dumper of binary CGM (see cgm_reader.h).
#include "cgm_reader.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace cgmtest {

namespace {

// Element names by class and id, for both encodings.
struct Known {
    int cls, id;
    const char *name;
};
const Known knownElements[] = {
    {0, 1, "BEGMF"},          {0, 2, "ENDMF"},          {0, 3, "BEGPIC"},        {0, 4, "BEGPICBODY"},
    {0, 5, "ENDPIC"},         {1, 1, "MFVERSION"},      {1, 2, "MFDESC"},        {1, 3, "VDCTYPE"},
    {1, 4, "INTEGERPREC"},    {1, 5, "REALPREC"},       {1, 6, "INDEXPREC"},     {1, 7, "COLRPREC"},
    {1, 8, "COLRINDEXPREC"},  {1, 9, "MAXCOLRINDEX"},   {1, 10, "COLRVALUEEXT"}, {1, 11, "MFELEMLIST"},
    {1, 13, "FONTLIST"},      {2, 1, "SCALEMODE"},      {2, 2, "COLRMODE"},      {2, 3, "LINEWIDTHMODE"},
    {2, 4, "MARKERSIZEMODE"}, {2, 5, "EDGEWIDTHMODE"},  {2, 6, "VDCEXT"},        {2, 7, "BACKCOLR"},
    {2, 17, "LINEEDGETYPEDEF"}, {3, 2, "VDCREALPREC"},  {3, 5, "CLIPRECT"},      {3, 19, "MITRELIMIT"},
    {3, 20, "TRANSPCELLCOLR"}, {4, 1, "LINE"},          {4, 3, "MARKER"},        {4, 4, "TEXT"},
    {4, 7, "POLYGON"},        {4, 9, "CELLARRAY"},      {5, 2, "LINETYPE"},      {5, 3, "LINEWIDTH"},
    {5, 4, "LINECOLR"},       {5, 6, "MARKERTYPE"},     {5, 7, "MARKERSIZE"},    {5, 8, "MARKERCOLR"},
    {5, 10, "TEXTFONTINDEX"}, {5, 11, "TEXTPREC"},      {5, 12, "CHAREXPAN"},    {5, 13, "CHARSPACE"},
    {5, 14, "TEXTCOLR"},      {5, 15, "CHARHEIGHT"},    {5, 16, "CHARORI"},      {5, 17, "TEXTPATH"},
    {5, 18, "TEXTALIGN"},     {5, 22, "INTSTYLE"},      {5, 23, "FILLCOLR"},     {5, 25, "PATINDEX"},
    {5, 30, "EDGEVIS"},       {5, 32, "PATTABLE"},      {5, 33, "PATSIZE"},      {5, 34, "COLRTABLE"},
    {5, 37, "LINECAP"},       {5, 38, "LINEJOIN"},
};

const Known *findKnown(const std::string &name) {
    for (const Known &k : knownElements)
        if (name == k.name) return &k;
    return nullptr;
}

const Known *findKnown(int cls, int id) {
    for (const Known &k : knownElements)
        if (k.cls == cls && k.id == id) return &k;
    return nullptr;
}

// Enumerated keywords of the clear text, by element, with their binary codes.
int keywordCode(const std::string &element, int position, const std::string &word) {
    static const std::map<std::string, std::vector<std::vector<const char *>>> table = {
        {"VDCTYPE", {{"INTEGER", "REAL"}}},
        {"SCALEMODE", {{"ABSTRACT", "METRIC"}}},
        {"COLRMODE", {{"INDEXED", "DIRECT"}}},
        {"LINEWIDTHMODE", {{"ABS", "SCALED"}}},
        {"MARKERSIZEMODE", {{"ABS", "SCALED"}}},
        {"EDGEWIDTHMODE", {{"ABS", "SCALED"}}},
        {"TRANSPCELLCOLR", {{"OFF", "ON"}}},
        {"EDGEVIS", {{"OFF", "ON"}}},
        {"TEXT", {{}, {}, {"NOTFINAL", "FINAL"}}},
        {"TEXTPREC", {{"STRING", "CHAR", "STROKE"}}},
        {"TEXTPATH", {{"RIGHT", "LEFT", "UP", "DOWN"}}},
        {"TEXTALIGN",
         {{"NORMHORIZ", "LEFT", "CTR", "RIGHT", "CONTHORIZ"},
          {"NORMVERT", "TOP", "CAP", "HALF", "BASE", "BOTTOM", "CONTVERT"}}},
        {"INTSTYLE", {{"HOLLOW", "SOLID", "PAT", "HATCH", "EMPTY"}}},
    };
    auto it = table.find(element);
    if (it == table.end() || position >= static_cast<int>(it->second.size())) return -1;
    const std::vector<const char *> &names = it->second[static_cast<size_t>(position)];
    for (size_t i = 0; i < names.size(); i++)
        if (word == names[i]) return static_cast<int>(i);
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Clear text.

struct Token {
    enum Kind { Number, Word, String } kind;
    std::string text;
    double value = 0.0;
    int isInteger = 0;
};

bool isNumberStart(const std::string &s, size_t i) {
    char c = s[i];
    if (std::isdigit(static_cast<unsigned char>(c))) return true;
    if ((c == '+' || c == '-' || c == '.') && i + 1 < s.size()) {
        char d = s[i + 1];
        return std::isdigit(static_cast<unsigned char>(d)) || (d == '.' && c != '.');
    }
    return false;
}

// A number: sign, digits with an optional point, optional exponent. Returns the end.
size_t scanNumber(const std::string &s, size_t i, Token &t) {
    size_t j = i;
    if (s[j] == '+' || s[j] == '-') j++;
    size_t digits = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) j++, digits++;
    bool point = false;
    if (j < s.size() && s[j] == '.') {
        point = true;
        j++;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) j++, digits++;
    }
    if (digits == 0) return std::string::npos;
    bool exponent = false;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) k++;
        size_t expDigits = 0;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) k++, expDigits++;
        if (expDigits == 0) return std::string::npos;
        exponent = true;
        j = k;
    }
    t.kind = Token::Number;
    t.text = s.substr(i, j - i);
    t.value = std::strtod(t.text.c_str(), nullptr);
    t.isInteger = !point && !exponent;
    return j;
}

struct Checker {
    std::string element;
    const std::vector<Token> &p;
    int colorMode;
    std::string error;
    std::vector<double> numbers;
    std::vector<std::string> strings;

    bool fail(const std::string &why) {
        if (error.empty()) error = why;
        return false;
    }
    bool number(size_t i, bool integer = false) {
        if (i >= p.size() || p[i].kind != Token::Number) return fail("parameter " + std::to_string(i + 1) + " is not a number");
        if (integer && !p[i].isInteger) return fail("parameter " + std::to_string(i + 1) + " is not an integer");
        numbers.push_back(p[i].value);
        return true;
    }
    bool word(size_t i, int position) {
        if (i >= p.size() || p[i].kind != Token::Word) return fail("parameter " + std::to_string(i + 1) + " is not a keyword");
        int code = keywordCode(element, position, p[i].text);
        if (code < 0) return fail("keyword " + p[i].text + " not allowed");
        numbers.push_back(code);
        return true;
    }
    bool string(size_t i) {
        if (i >= p.size() || p[i].kind != Token::String) return fail("parameter " + std::to_string(i + 1) + " is not a string");
        strings.push_back(p[i].text);
        return true;
    }
    bool count(size_t n) {
        if (p.size() != n)
            return fail("has " + std::to_string(p.size()) + " parameters, expected " + std::to_string(n));
        return true;
    }
    bool numbers_(size_t from, size_t n, bool integer = false) {
        for (size_t i = from; i < from + n; i++)
            if (!number(i, integer)) return false;
        return true;
    }
    size_t colorSize() const { return colorMode == 0 ? 1 : 3; }

    bool check() {
        const std::string &e = element;
        if (e == "ENDMF" || e == "BEGPICBODY" || e == "ENDPIC") return count(0);
        if (e == "BEGMF" || e == "BEGPIC" || e == "MFDESC" || e == "MFELEMLIST") return count(1) && string(0);
        if (e == "MFVERSION" || e == "COLRPREC" || e == "COLRINDEXPREC" || e == "MAXCOLRINDEX" || e == "LINETYPE" ||
            e == "MARKERTYPE" || e == "TEXTFONTINDEX" || e == "PATINDEX" || e == "LINEJOIN")
            return count(1) && number(0, true);
        if (e == "LINEWIDTH" || e == "MARKERSIZE" || e == "CHAREXPAN" || e == "CHARSPACE" || e == "CHARHEIGHT" ||
            e == "MITRELIMIT")
            return count(1) && number(0);
        if (e == "VDCTYPE" || e == "COLRMODE" || e == "LINEWIDTHMODE" || e == "MARKERSIZEMODE" ||
            e == "EDGEWIDTHMODE" || e == "EDGEVIS" || e == "TEXTPREC" || e == "TEXTPATH" || e == "INTSTYLE")
            return count(1) && word(0, 0);
        if (e == "INTEGERPREC" || e == "INDEXPREC") return count(2) && numbers_(0, 2, true);
        if (e == "REALPREC" || e == "VDCREALPREC") return count(3) && numbers_(0, 2) && number(2, true);
        if (e == "COLRVALUEEXT") return count(6) && numbers_(0, 6, true);
        if (e == "FONTLIST") {
            if (p.empty()) return fail("no font names");
            for (size_t i = 0; i < p.size(); i++)
                if (!string(i)) return false;
            return true;
        }
        if (e == "SCALEMODE") return count(2) && word(0, 0) && number(1);
        if (e == "VDCEXT" || e == "CLIPRECT" || e == "CHARORI" || e == "PATSIZE") return count(4) && numbers_(0, 4);
        if (e == "BACKCOLR") return count(3) && numbers_(0, 3, true);
        if (e == "LINEEDGETYPEDEF") {
            if (p.size() < 2) return fail("too few parameters");
            if (!number(0, true) || !number(1)) return false;
            if (numbers[0] >= 0) return fail("line type index not negative");
            return numbers_(2, p.size() - 2, true);
        }
        if (e == "TRANSPCELLCOLR") return count(1 + colorSize()) && word(0, 0) && numbers_(1, colorSize(), true);
        if (e == "LINECOLR" || e == "MARKERCOLR" || e == "TEXTCOLR" || e == "FILLCOLR")
            return count(colorSize()) && numbers_(0, colorSize(), true);
        if (e == "LINE" || e == "MARKER" || e == "POLYGON") {
            size_t least = e == "POLYGON" ? 6 : (e == "LINE" ? 4 : 2);
            if (p.size() < least || p.size() % 2) return fail("bad point list of " + std::to_string(p.size()) + " numbers");
            return numbers_(0, p.size());
        }
        if (e == "TEXT") return count(4) && numbers_(0, 2) && word(2, 2) && string(3);
        if (e == "CELLARRAY") {
            if (p.size() < 9 || !numbers_(0, 6) || !numbers_(6, 3, true)) return fail("bad cell array head");
            const double nx = numbers[6], ny = numbers[7];
            if (nx < 1 || ny < 1) return fail("empty cell array");
            return count(9 + static_cast<size_t>(nx * ny) * colorSize()) && numbers_(9, p.size() - 9, true);
        }
        if (e == "PATTABLE") {
            if (!count(4 + 1024 * colorSize())) return false;
            if (!numbers_(0, p.size(), true)) return false;
            if (numbers[1] != 32 || numbers[2] != 32) return fail("pattern not 32 x 32");
            return true;
        }
        if (e == "TEXTALIGN") return count(4) && word(0, 0) && word(1, 1) && numbers_(2, 2);
        if (e == "COLRTABLE") {
            if (p.size() < 4 || (p.size() - 1) % 3) return fail("bad colour table");
            return numbers_(0, p.size(), true);
        }
        if (e == "LINECAP") return count(2) && numbers_(0, 2, true);
        return fail("no rule");
    }
};

// Nesting of delimiters: outside, metafile, picture descriptor, picture body, after the end.
struct Nesting {
    int state = 0;
    std::string error;
    bool step(const std::string &name, int elementClass) {
        auto bad = [&](const char *why) {
            error = name + ": " + why;
            return false;
        };
        if (state == 4) return bad("after ENDMF");
        if (name == "BEGMF") {
            if (state != 0) return bad("not at the start");
            state = 1;
        } else if (state == 0) {
            return bad("before BEGMF");
        } else if (name == "ENDMF") {
            if (state != 1) return bad("inside a picture");
            state = 4;
        } else if (name == "BEGPIC") {
            if (state != 1) return bad("inside a picture");
            state = 2;
        } else if (name == "BEGPICBODY") {
            if (state != 2) return bad("outside a picture descriptor");
            state = 3;
        } else if (name == "ENDPIC") {
            if (state != 3) return bad("without a picture body");
            state = 1;
        } else if (elementClass == 1) {
            if (state != 1) return bad("metafile descriptor element inside a picture");
        } else if (elementClass == 2) {
            // The writer defines dash patterns (class 2, id 17) inside the picture body.
            if (state != 2 && !(name == "LINEEDGETYPEDEF" && state == 3)) return bad("picture descriptor element outside the descriptor");
        } else if (state != 3) {
            return bad("outside a picture body");
        }
        return true;
    }
};

} // namespace

Metafile readClearText(const std::string &s) {
    Metafile m;
    std::vector<Token> tokens;
    int line = 1, elementLine = 1;
    int colorMode = 0;
    Nesting nesting;
    auto fail = [&](const std::string &why) {
        m.ok = false;
        m.error = "line " + std::to_string(elementLine) + ": " + why;
        return m;
    };
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (c == '\n') {
            line++;
            i++;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
            i++;
            continue;
        }
        if (tokens.empty()) elementLine = line;
        if (c == ';' || c == '/') {
            if (tokens.empty()) return fail("empty element");
            if (tokens[0].kind != Token::Word) return fail("element does not start with a name");
            Element e;
            e.name = tokens[0].text;
            const Known *k = findKnown(e.name);
            if (!k) return fail("unknown element " + e.name);
            e.elementClass = k->cls;
            e.id = k->id;
            std::vector<Token> params(tokens.begin() + 1, tokens.end());
            Checker checker{e.name, params, colorMode, "", {}, {}};
            if (!checker.check()) return fail(e.name + ": " + checker.error);
            e.numbers = checker.numbers;
            e.strings = checker.strings;
            if (!nesting.step(e.name, e.elementClass)) return fail(nesting.error);
            if (e.name == "COLRMODE") colorMode = static_cast<int>(e.numbers[0]);
            m.elements.push_back(e);
            tokens.clear();
            i++;
            continue;
        }
        if (c == '%') {
            size_t end = s.find('%', i + 1);
            if (end == std::string::npos) return fail("unterminated comment");
            for (size_t k = i; k < end; k++)
                if (s[k] == '\n') line++;
            i = end + 1;
            continue;
        }
        Token t;
        if (c == '\'' || c == '"') {
            std::string text;
            size_t j = i + 1;
            bool closed = false;
            while (j < s.size()) {
                if (s[j] == c) {
                    if (j + 1 < s.size() && s[j + 1] == c) {
                        text += c;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                if (s[j] == '\n') line++;
                text += s[j++];
            }
            if (!closed) return fail("unterminated string");
            t.kind = Token::String;
            t.text = text;
            tokens.push_back(t);
            i = j + 1;
            continue;
        }
        if (isNumberStart(s, i)) {
            size_t end = scanNumber(s, i, t);
            if (end == std::string::npos) return fail("bad number");
            // A number must end at a separator.
            if (end < s.size() && !(std::isspace(static_cast<unsigned char>(s[end])) || s[end] == ',' || s[end] == ';' || s[end] == '/'))
                return fail("bad number near '" + s.substr(i, end + 1 - i) + "'");
            tokens.push_back(t);
            i = end;
            continue;
        }
        if (std::isalpha(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_')) j++;
            t.kind = Token::Word;
            t.text = s.substr(i, j - i);
            for (char &ch : t.text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            tokens.push_back(t);
            i = j;
            continue;
        }
        return fail(std::string("unexpected character '") + c + "'");
    }
    if (!tokens.empty()) return fail("last element has no terminator");
    if (nesting.state != 4) return fail("metafile does not end with ENDMF");
    m.ok = true;
    return m;
}

// ---------------------------------------------------------------------------------------------
// Binary.

namespace {

struct State {
    int intBytes = 2, indexBytes = 2, colorBytes = 1, colorIndexBytes = 1;
    int realForm = 1, realBits = 32;     // form 0 floating, 1 fixed; bits 32 or 64
    int vdcType = 0, vdcIntBytes = 2;
    int vdcRealForm = 1, vdcRealBits = 32;
    int colorMode = 0;
    int widthMode[3] = {1, 1, 1};        // line, marker, edge: 0 absolute (VDC), 1 scaled (real)
};

struct Params {
    const std::vector<uint8_t> &d;
    size_t p = 0;
    std::string error;
    bool need(size_t n) {
        if (p + n > d.size()) {
            if (error.empty()) error = "parameters end early";
            return false;
        }
        return true;
    }
    size_t left() const { return d.size() - p; }
    long long sint(int bytes) {
        if (!need(static_cast<size_t>(bytes))) return 0;
        unsigned long long v = 0;
        for (int i = 0; i < bytes; i++) v = (v << 8) | d[p++];
        const unsigned long long sign = 1ULL << (8 * bytes - 1);
        return (v & sign) ? static_cast<long long>(v) - static_cast<long long>(sign << 1) : static_cast<long long>(v);
    }
    unsigned long long uint(int bytes) {
        if (!need(static_cast<size_t>(bytes))) return 0;
        unsigned long long v = 0;
        for (int i = 0; i < bytes; i++) v = (v << 8) | d[p++];
        return v;
    }
    double real(int form, int bits) {
        if (form == 1) {
            const int half = bits / 16;
            long long whole = sint(half);
            unsigned long long fraction = uint(half);
            return static_cast<double>(whole) + static_cast<double>(fraction) / std::ldexp(1.0, 8 * half);
        }
        if (bits == 32) {
            uint32_t v = static_cast<uint32_t>(uint(4));
            float f;
            std::memcpy(&f, &v, 4);
            return f;
        }
        uint64_t v = uint(8);
        double f;
        std::memcpy(&f, &v, 8);
        return f;
    }
};

std::string formatNumber(double v) {
    char buf[40];
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(buf, sizeof buf, "%.0f", v);
    else
        std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

struct Decoder {
    State &st;
    Params r;
    Element &e;
    std::string text; // listing of the parameters

    void add(double v) {
        e.numbers.push_back(v);
        text += " " + formatNumber(v);
    }
    void I() { add(static_cast<double>(r.sint(st.intBytes))); }
    void IX() { add(static_cast<double>(r.sint(st.indexBytes))); }
    void E() { add(static_cast<double>(r.sint(2))); }
    void R() { add(r.real(st.realForm, st.realBits)); }
    void VDC() {
        if (st.vdcType == 0)
            add(static_cast<double>(r.sint(st.vdcIntBytes)));
        else
            add(r.real(st.vdcRealForm, st.vdcRealBits));
    }
    void P() {
        text += " (";
        VDC();
        VDC();
        text += " )";
    }
    void CI() { add(static_cast<double>(r.uint(st.colorIndexBytes))); }
    void CD() {
        text += " [";
        for (int k = 0; k < 3; k++) add(static_cast<double>(r.uint(st.colorBytes)));
        text += " ]";
    }
    void CO() {
        if (st.colorMode == 0)
            CI();
        else
            CD();
    }
    void S() {
        if (!r.need(1)) return;
        size_t n = r.d[r.p++];
        std::string s;
        if (n == 255) {
            // Long form: pieces, each after a 16-bit count whose bit 15 says another follows.
            unsigned long long w = 0x8000;
            while (w & 0x8000) {
                if (!r.need(2)) return;
                w = r.uint(2);
                n = static_cast<size_t>(w & 0x7FFF);
                if (!r.need(n)) return;
                s.append(r.d.begin() + static_cast<long>(r.p), r.d.begin() + static_cast<long>(r.p + n));
                r.p += n;
            }
        } else {
            if (!r.need(n)) return;
            s.assign(r.d.begin() + static_cast<long>(r.p), r.d.begin() + static_cast<long>(r.p + n));
            r.p += n;
        }
        e.strings.push_back(s);
        text += " \"" + s + "\"";
    }
    void size(int which) {
        if (st.widthMode[which] == 0)
            VDC();
        else
            R();
    }
    int precisionBytes(long long bits) {
        if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
            r.error = "precision of " + std::to_string(bits) + " bits";
            return 1;
        }
        return static_cast<int>(bits / 8);
    }
    void realPrecision(int &form, int &bits) {
        long long f = r.sint(2), a = r.sint(st.intBytes), b = r.sint(st.intBytes);
        add(static_cast<double>(f));
        add(static_cast<double>(a));
        add(static_cast<double>(b));
        if (f == 0 && a == 9 && b == 23) {
            form = 0, bits = 32;
        } else if (f == 0 && a == 12 && b == 52) {
            form = 0, bits = 64;
        } else if (f == 1 && a == 16 && b == 16) {
            form = 1, bits = 32;
        } else {
            r.error = "real precision not allowed";
        }
    }
    void cells(int nx, int ny, bool padRows) {
        const int cellBytes = st.colorMode == 0 ? st.colorIndexBytes : 3 * st.colorBytes;
        text += " cells:";
        for (int row = 0; row < ny && r.error.empty(); row++) {
            for (int column = 0; column < nx; column++) CO();
            if (padRows && (nx * cellBytes) % 2) {
                if (r.uint(1) != 0) r.error = "row pad byte is not 0";
            }
        }
    }

    void decode() {
        const std::string &n = e.name;
        if (n == "BEGMF" || n == "BEGPIC" || n == "MFDESC") S();
        else if (n == "ENDMF" || n == "BEGPICBODY" || n == "ENDPIC") {}
        else if (n == "MFVERSION") I();
        else if (n == "MFELEMLIST") {
            long long count = r.sint(st.intBytes);
            add(static_cast<double>(count));
            for (long long k = 0; k < count && r.error.empty(); k++) IX(), IX();
        } else if (n == "VDCTYPE") {
            E();
            st.vdcType = static_cast<int>(e.numbers.back());
        } else if (n == "INTEGERPREC" || n == "INDEXPREC" || n == "COLRPREC" || n == "COLRINDEXPREC") {
            I();
            int bytes = precisionBytes(static_cast<long long>(e.numbers.back()));
            if (n == "INTEGERPREC") st.intBytes = bytes;
            if (n == "INDEXPREC") st.indexBytes = bytes;
            if (n == "COLRPREC") st.colorBytes = bytes;
            if (n == "COLRINDEXPREC") st.colorIndexBytes = bytes;
        } else if (n == "REALPREC") realPrecision(st.realForm, st.realBits);
        else if (n == "VDCREALPREC") realPrecision(st.vdcRealForm, st.vdcRealBits);
        else if (n == "MAXCOLRINDEX") CI();
        else if (n == "COLRVALUEEXT") CD(), CD();
        else if (n == "FONTLIST") {
            while (r.left() && r.error.empty()) S();
        } else if (n == "SCALEMODE") E(), R();
        else if (n == "COLRMODE") {
            E();
            st.colorMode = static_cast<int>(e.numbers.back());
        } else if (n == "LINEWIDTHMODE" || n == "MARKERSIZEMODE" || n == "EDGEWIDTHMODE") {
            E();
            const int which = n == "LINEWIDTHMODE" ? 0 : n == "MARKERSIZEMODE" ? 1 : 2;
            st.widthMode[which] = static_cast<int>(e.numbers.back());
        } else if (n == "VDCEXT" || n == "CLIPRECT") P(), P();
        else if (n == "BACKCOLR") CD();
        else if (n == "LINEEDGETYPEDEF") {
            IX();
            size(0);
            while (r.left() && r.error.empty()) I();
        } else if (n == "MITRELIMIT" || n == "CHAREXPAN" || n == "CHARSPACE") R();
        else if (n == "TRANSPCELLCOLR") E(), CO();
        else if (n == "LINE" || n == "MARKER" || n == "POLYGON") {
            while (r.left() && r.error.empty()) P();
        } else if (n == "TEXT") P(), E(), S();
        else if (n == "CELLARRAY") {
            P(), P(), P();
            long long nx = r.sint(st.intBytes), ny = r.sint(st.intBytes), bits = r.sint(st.intBytes);
            add(static_cast<double>(nx));
            add(static_cast<double>(ny));
            add(static_cast<double>(bits));
            E();
            const int expected = 8 * (st.colorMode == 0 ? st.colorIndexBytes : st.colorBytes);
            if (bits != 0 && bits != expected) r.error = "local colour precision " + std::to_string(bits);
            if (e.numbers.back() != 1) r.error = "cell representation is not packed";
            if (nx < 1 || ny < 1) r.error = "empty cell array";
            if (r.error.empty()) cells(static_cast<int>(nx), static_cast<int>(ny), true);
        } else if (n == "LINETYPE" || n == "MARKERTYPE" || n == "TEXTFONTINDEX" || n == "PATINDEX") IX();
        else if (n == "LINEWIDTH") size(0);
        else if (n == "MARKERSIZE") size(1);
        else if (n == "LINECOLR" || n == "MARKERCOLR" || n == "TEXTCOLR" || n == "FILLCOLR") CO();
        else if (n == "TEXTPREC" || n == "TEXTPATH" || n == "INTSTYLE" || n == "EDGEVIS" || n == "LINEJOIN") E();
        else if (n == "CHARHEIGHT") VDC();
        else if (n == "CHARORI" || n == "PATSIZE") VDC(), VDC(), VDC(), VDC();
        else if (n == "TEXTALIGN") E(), E(), R(), R();
        else if (n == "PATTABLE") {
            IX();
            long long nx = r.sint(st.intBytes), ny = r.sint(st.intBytes), bits = r.sint(st.intBytes);
            add(static_cast<double>(nx));
            add(static_cast<double>(ny));
            add(static_cast<double>(bits));
            if (nx != 32 || ny != 32) r.error = "pattern not 32 x 32";
            if (r.error.empty()) cells(32, 32, false);
        } else if (n == "COLRTABLE") {
            CI();
            while (r.left() && r.error.empty()) CD();
        } else if (n == "LINECAP") E(), E();
        if (r.error.empty() && r.left()) r.error = std::to_string(r.left()) + " parameter bytes left over";
    }
};

} // namespace

Metafile dumpBinary(const std::vector<uint8_t> &d) {
    Metafile m;
    State st;
    Nesting nesting;
    size_t p = 0;
    char line[160];
    auto fail = [&](size_t at, const std::string &why) {
        m.ok = false;
        m.error = "offset " + std::to_string(at) + ": " + why;
        return m;
    };
    while (p < d.size()) {
        if (p % 2) return fail(p, "element at an odd offset");
        if (p + 2 > d.size()) return fail(p, "truncated header");
        const size_t start = p;
        const unsigned word = static_cast<unsigned>(d[p] << 8 | d[p + 1]);
        p += 2;
        Element e;
        e.offset = start;
        e.elementClass = static_cast<int>(word >> 12);
        e.id = static_cast<int>((word >> 5) & 0x7F);
        int length = static_cast<int>(word & 0x1F);
        std::vector<uint8_t> params;
        if (length == 31) {
            e.longForm = 1;
            length = 0;
            for (;;) {
                if (p % 2) return fail(p, "partition word at an odd offset");
                if (p + 2 > d.size()) return fail(p, "truncated partition word");
                const unsigned pw = static_cast<unsigned>(d[p] << 8 | d[p + 1]);
                p += 2;
                const int partLength = static_cast<int>(pw & 0x7FFF);
                if (p + static_cast<size_t>(partLength) > d.size()) return fail(start, "partition runs past the end");
                params.insert(params.end(), d.begin() + static_cast<long>(p), d.begin() + static_cast<long>(p) + partLength);
                p += static_cast<size_t>(partLength);
                e.partitions.push_back(partLength);
                length += partLength;
                if (!(pw & 0x8000)) break;
                if (partLength % 2) return fail(p, "odd partition followed by another");
            }
        } else {
            if (p + static_cast<size_t>(length) > d.size()) return fail(start, "element runs past the end");
            params.assign(d.begin() + static_cast<long>(p), d.begin() + static_cast<long>(p) + length);
            p += static_cast<size_t>(length);
        }
        if (p % 2) {
            if (p >= d.size()) return fail(p, "missing pad byte at the end");
            if (d[p] != 0) return fail(p, "pad byte is not 0");
            p++;
        }
        e.length = length;
        const Known *k = findKnown(e.elementClass, e.id);
        if (!k)
            return fail(start, "unknown element class " + std::to_string(e.elementClass) + " id " + std::to_string(e.id));
        e.name = k->name;
        Decoder dec{st, Params{params, 0, ""}, e, ""};
        dec.decode();
        if (!dec.r.error.empty()) return fail(start, e.name + ": " + dec.r.error);
        if (!nesting.step(e.name, e.elementClass)) return fail(start, nesting.error);
        std::snprintf(line, sizeof line, "%06zx %d,%-2d %-15s len=%d", start, e.elementClass, e.id, e.name.c_str(), length);
        m.listing += line;
        if (e.longForm) {
            m.listing += " long";
            if (e.partitions.size() > 1) {
                m.listing += " partitions=";
                for (size_t i = 0; i < e.partitions.size(); i++)
                    m.listing += (i ? "+" : "") + std::to_string(e.partitions[i]);
            }
        }
        m.listing += ":" + dec.text + "\n";
        m.elements.push_back(e);
    }
    if (nesting.state != 4) return fail(p, "metafile does not end with ENDMF");
    m.ok = true;
    return m;
}

std::vector<Element> elementsNamed(const Metafile &m, const std::string &name) {
    std::vector<Element> out;
    for (const Element &e : m.elements)
        if (e.name == name) out.push_back(e);
    return out;
}

std::string elementNames(const Metafile &m) {
    std::string s;
    for (const Element &e : m.elements) s += (s.empty() ? "" : " ") + e.name;
    return s;
}

std::vector<uint8_t> readFileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readFileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace cgmtest
