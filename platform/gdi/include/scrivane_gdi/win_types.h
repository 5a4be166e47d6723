// Win32 scalar types, handles and structures used by the GDI layer, declared for platforms
// without <windows.h>. Sizes follow the Windows data model where the layout matters to the
// metafile (DWORD, LONG and WORD are exactly 32/32/16 bits); pointer-carrying structures simply
// use the host's pointer size.
#ifndef SCRIVANE_GDI_WIN_TYPES_H
#define SCRIVANE_GDI_WIN_TYPES_H

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef char CHAR;
typedef std::uint16_t WCHAR; // UTF-16 code unit, as on Windows (not the host's wchar_t)
typedef float FLOAT;
typedef std::uintptr_t ULONG_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::intptr_t LPARAM;
typedef DWORD COLORREF;

typedef const char *LPCSTR;
typedef const WCHAR *LPCWSTR;
typedef char *LPSTR;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef BYTE *LPBYTE;
typedef DWORD *LPDWORD;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Distinct handle types (the STRICT flavour of Win32): each converts to HGDIOBJ / void*, none
// converts to another without a cast.
#define SCRIVANE_GDI_DECLARE_HANDLE(name)                                                          \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__ *name

SCRIVANE_GDI_DECLARE_HANDLE(HDC);
SCRIVANE_GDI_DECLARE_HANDLE(HPEN);
SCRIVANE_GDI_DECLARE_HANDLE(HBRUSH);
SCRIVANE_GDI_DECLARE_HANDLE(HFONT);
SCRIVANE_GDI_DECLARE_HANDLE(HRGN);
SCRIVANE_GDI_DECLARE_HANDLE(HPALETTE);
SCRIVANE_GDI_DECLARE_HANDLE(HENHMETAFILE);
SCRIVANE_GDI_DECLARE_HANDLE(HWND);
SCRIVANE_GDI_DECLARE_HANDLE(HINSTANCE);

#undef SCRIVANE_GDI_DECLARE_HANDLE

typedef void *HGDIOBJ;
typedef void *HGLOBAL;

struct POINT {
    LONG x;
    LONG y;
};
typedef POINT *LPPOINT;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT *LPRECT;

struct SIZE {
    LONG cx;
    LONG cy;
};
typedef SIZE *LPSIZE;

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER must have the Windows layout");

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

// Print dialog block. Only the members the layer reads or fills are declared; on 32-bit
// Windows the full structure is 66 bytes, and PrintDlgA accepts that figure in lStructSize as
// well as sizeof(PRINTDLGA).
struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
};
typedef PRINTDLGA *LPPRINTDLGA;
typedef PRINTDLGA PRINTDLG;

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;
    LPCSTR lpszDatatype;
    DWORD fwType;
};
typedef DOCINFOA DOCINFO;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>(static_cast<BYTE>(r)) |
           (static_cast<COLORREF>(static_cast<BYTE>(g)) << 8) |
           (static_cast<COLORREF>(static_cast<BYTE>(b)) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}

#endif
