// Functions of this layer that have no Win32 counterpart: they stand in for what a Windows
// user or system provides (a printer chosen in the print dialog, a screen), and give tests a
// way to look at what was drawn.
#ifndef SCRIVANE_GDI_SCRIVANE_EXT_H
#define SCRIVANE_GDI_SCRIVANE_EXT_H

#include "scrivane_gdi/gdi_export.h"
#include "scrivane_gdi/win_types.h"

// Chooses the destination that PrintDlgA offers. With a pattern, PrintDlgA succeeds and (with
// PD_RETURNDC) returns a printer context (TECHNOLOGY = DT_RASPRINTER): A4, 600 dpi, printable
// area inset 118 pixels (5 mm) from each edge of the sheet. Every page of a job (StartPage ... EndPage) is written as one
// EMF file whose frame is the whole sheet. The pattern names the files: one "%d" conversion,
// optionally with a zero flag and a width ("%d", "%03d"), is replaced by the page number,
// counted from 1 and continued across jobs until the pattern is set again; "%%" stands for a
// percent sign. A pattern without a conversion names the same file for every page. NULL
// clears the destination, after which PrintDlgA behaves as a cancelled dialog (FALSE, no
// context). Returns FALSE, and leaves the destination unchanged, for a pattern with any
// other conversion or more than one.
SCRIVANE_GDI_API BOOL ScrivaneGdiSetPrintToFile(const char *pathPattern);

// Creates a context that reports itself as a raster display (TECHNOLOGY = DT_RASDISPLAY) of
// the given size in pixels at 96 dpi, in MM_TEXT. Nothing is shown anywhere: what is drawn is
// recorded with the display as reference device, and ScrivaneGdiSaveDisplayDC writes what was
// drawn so far as an EMF file. Release the context with DeleteDC. Returns NULL for a size
// below 1 or above 65536 pixels.
SCRIVANE_GDI_API HDC ScrivaneGdiCreateDisplayDC(int widthPixels, int heightPixels);
SCRIVANE_GDI_API BOOL ScrivaneGdiSaveDisplayDC(HDC hdc, const char *path);

// Polyline and Polygon write the 32-bit point records (EMR_POLYLINE, EMR_POLYGON) by default.
// Enabled on a recording context, they write the 16-bit forms (EMR_POLYLINE16,
// EMR_POLYGON16) whenever every coordinate of the call fits in 16 bits, as Windows does.
SCRIVANE_GDI_API BOOL ScrivaneGdiSetCompactPoints(HDC hdc, BOOL enable);

#endif
