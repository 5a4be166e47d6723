#ifndef SCRIVANE_HPGLLABEL_H
#define SCRIVANE_HPGLLABEL_H
// The text of an HP-GL/2 label (LB), made from the bytes of a scene's text.
#include <string>

namespace scrivane_hpgl {

// The bytes to write between "LB" and the label terminator 0x03 for a text: only characters
// that the plotter prints, in its default symbol set (Roman-8). See HPGLLabel.cpp. *replaced
// (when given) is increased by the number of characters written as '?'.
std::string labelText(const char *text, int *replaced = nullptr);

} // namespace scrivane_hpgl

#endif
