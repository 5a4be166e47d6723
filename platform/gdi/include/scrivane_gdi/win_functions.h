// The Win32 GDI, print-job and print-dialog functions provided by the layer, with the Win32
// names and argument lists. All functions are safe to call with invalid or stale handles: they
// fail the way Win32 reports failure (FALSE, NULL, 0 or GDI_ERROR) and never throw.
#ifndef SCRIVANE_GDI_WIN_FUNCTIONS_H
#define SCRIVANE_GDI_WIN_FUNCTIONS_H

#include "scrivane_gdi/gdi_export.h"
#include "scrivane_gdi/win_types.h"

// Enhanced metafiles. The file is created at CreateEnhMetaFileA and receives the records as
// they are drawn; CloseEnhMetaFile completes it (the header goes in last). A context deleted
// without CloseEnhMetaFile leaves the file empty. A NULL file name makes a metafile held in
// memory; GetEnhMetaFileBits reads either kind.
// lpDesc is NULL or, as on Windows, "application\0picture\0\0" (both strings present); lprc is
// the picture's frame in 0.01 mm, or NULL to take it from what is drawn. The reference device
// is hdcRef's device, or with NULL a virtual A4 device of 100 pixels per millimetre.
SCRIVANE_GDI_API HDC CreateEnhMetaFileA(HDC hdcRef, LPCSTR lpFilename, const RECT *lprc,
                                        LPCSTR lpDesc);
SCRIVANE_GDI_API HENHMETAFILE CloseEnhMetaFile(HDC hdc);
SCRIVANE_GDI_API BOOL DeleteEnhMetaFile(HENHMETAFILE hmf);
SCRIVANE_GDI_API UINT GetEnhMetaFileBits(HENHMETAFILE hmf, UINT nSize, LPBYTE lpData);

// Device context state and coordinate mapping.
SCRIVANE_GDI_API int SetGraphicsMode(HDC hdc, int iMode);
SCRIVANE_GDI_API int GetGraphicsMode(HDC hdc);
SCRIVANE_GDI_API int SetMapMode(HDC hdc, int iMode);
SCRIVANE_GDI_API int GetMapMode(HDC hdc);
SCRIVANE_GDI_API BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
SCRIVANE_GDI_API BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt);
SCRIVANE_GDI_API int GetDeviceCaps(HDC hdc, int index);
SCRIVANE_GDI_API BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);
SCRIVANE_GDI_API BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
SCRIVANE_GDI_API BOOL SetMiterLimit(HDC hdc, FLOAT limit, FLOAT *old);
SCRIVANE_GDI_API COLORREF SetTextColor(HDC hdc, COLORREF color);
SCRIVANE_GDI_API UINT SetTextAlign(HDC hdc, UINT align);
SCRIVANE_GDI_API int SetBkMode(HDC hdc, int mode);
SCRIVANE_GDI_API BOOL DeleteDC(HDC hdc);

// Objects.
SCRIVANE_GDI_API HBRUSH CreateSolidBrush(COLORREF color);
SCRIVANE_GDI_API HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
SCRIVANE_GDI_API HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH *plbrush,
                                   DWORD cStyle, const DWORD *pstyle);
SCRIVANE_GDI_API HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                   int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                   DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                   DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);
SCRIVANE_GDI_API HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
SCRIVANE_GDI_API int SelectClipRgn(HDC hdc, HRGN hrgn);
SCRIVANE_GDI_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
SCRIVANE_GDI_API BOOL DeleteObject(HGDIOBJ ho);
SCRIVANE_GDI_API HGDIOBJ GetStockObject(int i);

// Drawing.
SCRIVANE_GDI_API BOOL Polyline(HDC hdc, const POINT *apt, int cpt);
SCRIVANE_GDI_API BOOL Polygon(HDC hdc, const POINT *apt, int cpt);
SCRIVANE_GDI_API BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
SCRIVANE_GDI_API BOOL LineTo(HDC hdc, int x, int y);
SCRIVANE_GDI_API BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
SCRIVANE_GDI_API BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
// c UTF-16 code units.
SCRIVANE_GDI_API BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c);
SCRIVANE_GDI_API int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight,
                                   int xSrc, int ySrc, int SrcWidth, int SrcHeight,
                                   const void *lpBits, const BITMAPINFO *lpbmi, UINT iUsage,
                                   DWORD rop);

// Printing.
SCRIVANE_GDI_API int StartDocA(HDC hdc, const DOCINFOA *lpdi);
SCRIVANE_GDI_API int EndDoc(HDC hdc);
SCRIVANE_GDI_API int StartPage(HDC hdc);
SCRIVANE_GDI_API int EndPage(HDC hdc);
SCRIVANE_GDI_API BOOL PrintDlgA(LPPRINTDLGA pPD);

// The generic names that <windows.h> maps to the ANSI functions in a non-Unicode build.
inline HDC CreateEnhMetaFile(HDC hdcRef, LPCSTR file, const RECT *frame, LPCSTR desc) {
    return CreateEnhMetaFileA(hdcRef, file, frame, desc);
}
inline BOOL TextOut(HDC hdc, int x, int y, LPCSTR s, int c) {
    return TextOutA(hdc, x, y, s, c);
}
inline int StartDoc(HDC hdc, const DOCINFOA *di) {
    return StartDocA(hdc, di);
}
inline BOOL PrintDlg(LPPRINTDLGA pd) {
    return PrintDlgA(pd);
}

#endif
