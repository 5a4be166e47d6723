#ifndef SCRIVANE_GDI_GDI_EXPORT_H
#define SCRIVANE_GDI_GDI_EXPORT_H

// Marks the functions that the shared GDI library exports. The library is compiled with hidden
// visibility, so everything not marked stays internal to it; in a static library the mark changes
// nothing.
#if defined(__GNUC__)
#define SCRIVANE_GDI_API __attribute__((visibility("default")))
#else
#define SCRIVANE_GDI_API
#endif

#endif
