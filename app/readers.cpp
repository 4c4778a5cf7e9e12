// What keyboard users and screen readers get of Form1: the menu entries in
// the order the keys walk them, and the texts a reader reads, in reading
// order (the contact lines at the top right, the title, the address, the
// menu, then the description area and the other-software panel). The logo,
// the markers, the shape and the title's shadow copy are pictures only and
// stay out.
//
// Each entry carries what it does, as a reader speaks it with the entry:
// the prompt and description the description area shows for it (the same
// texts as menu/), and for OTHER SOFTWARES the panel it opens, read from
// the panel's own labels.
#include "app/form1.h"
#include "menu/texts.h"

namespace {

using forms::AccessibleRole;

// The window's name for readers: the product name, since it has no title bar.
constexpr const char* kProductName = "Tarvelo Installation";

constexpr const char* kAddressDoes[] = {menu::kAddressPrompt, menu::kAddressDescription};
constexpr const char* kOfficeDoes[] = {menu::kOfficePrompt, menu::kOfficeDescription};
constexpr const char* kExitDoes[] = {menu::kExitPrompt};
// The other-software panel in reading order: the introduction, then each
// product's title and description.
constexpr const char* kPanel[] = {"Label13", "Label14", "Label15", "Label16", "Label18", "Label17", "Label19"};

constexpr forms::AccessibleDef kReadingOrder[] = {
    {"Label6", AccessibleRole::StaticText},
    {"Label7", AccessibleRole::StaticText},
    {"Label2", AccessibleRole::StaticText},
    {"Label5", AccessibleRole::StaticText},

    {"Label8", AccessibleRole::Link, true, kAddressDoes},    // ADDRESS SOFTWARE
    {"Label10", AccessibleRole::Link, true, kOfficeDoes},    // INDEX SOFTWARE
    {"Label11", AccessibleRole::Link, true, {}, kPanel},     // OTHER SOFTWARES
    {"Label12", AccessibleRole::Link, true, kExitDoes},      // EXIT

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
