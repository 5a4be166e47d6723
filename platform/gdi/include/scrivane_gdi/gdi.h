// Entry header of the GDI layer. On Windows it is <windows.h> itself; elsewhere it declares
// the Win32 subset that the layer implements by writing enhanced metafiles (EMF).
#ifndef SCRIVANE_GDI_GDI_H
#define SCRIVANE_GDI_GDI_H

#ifdef _WIN32
#include <windows.h>
#else
#include "scrivane_gdi/scrivane_ext.h"
#include "scrivane_gdi/win_constants.h"
#include "scrivane_gdi/win_functions.h"
#include "scrivane_gdi/win_types.h"
#endif

#endif
