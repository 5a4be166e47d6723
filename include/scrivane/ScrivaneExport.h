#ifndef SCRIVANE_SCRIVANEEXPORT_H
#define SCRIVANE_SCRIVANEEXPORT_H

// Marks the classes and functions that the shared vectorizer library exports. The library is
// compiled with hidden visibility, so everything not marked stays internal to it; in a static
// library the mark changes nothing.
#if defined(__GNUC__)
#define SCRIVANE_API __attribute__((visibility("default")))
#else
#define SCRIVANE_API
#endif

#endif
