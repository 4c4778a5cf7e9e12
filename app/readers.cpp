// What keyboard users and screen readers get of Form1: the menu entries in
// the order the keys walk them, and the texts a reader reads, in reading
// order (the contact lines at the top right, the title, the address, the
// menu, then the description area and the other-software panel). The logo,
// the markers, the shape and the title's shadow copy are pictures only and
// stay out.
#include "app/form1.h"

namespace {

using forms::AccessibleRole;

// The window's name for readers: the product name, since it has no title bar.
constexpr const char* kProductName = "Tarvelo Installation";

constexpr forms::AccessibleDef kReadingOrder[] = {
    {"Label6", AccessibleRole::StaticText},
    {"Label7", AccessibleRole::StaticText},
    {"Label2", AccessibleRole::StaticText},
    {"Label5", AccessibleRole::StaticText},

    {"Label8", AccessibleRole::Link, true},   // ADDRESS SOFTWARE
    {"Label10", AccessibleRole::Link, true},  // INDEX SOFTWARE
    {"Label11", AccessibleRole::Link, true},  // OTHER SOFTWARES
    {"Label12", AccessibleRole::Link, true},  // EXIT

    {"Label3", AccessibleRole::StaticText},
    {"Label4", AccessibleRole::StaticText},

    {"Label13", AccessibleRole::StaticText},
    {"Label14", AccessibleRole::StaticText},
    {"Label15", AccessibleRole::StaticText},
    {"Label16", AccessibleRole::StaticText},
    {"Label18", AccessibleRole::StaticText},
    {"Label17", AccessibleRole::StaticText},
    {"Label19", AccessibleRole::StaticText},
};

}  // namespace

void Form1::DescribeForReaders() { setAccessibility(kProductName, kReadingOrder); }
