// The fixed texts and colours of the menu's behaviour.
#pragma once

#include "maker_details.h"

namespace menu {

// Colours, written as "&H" texts and converted when they are assigned.
inline constexpr const char* kHoverColour = "&H00ffff00";    // cyan
inline constexpr const char* kPressedColour = "&H8000000E";  // system highlight text
inline constexpr const char* kRestColour = "&H0080ff80";     // light green

// The description area.
inline constexpr const char* kAddressPrompt = "Click to Install ADDRESS-BOOK Utility Software";
inline constexpr const char* kAddressDescription =
    " This is just like your digital diary storing Names,Address, Telephone numbers, e-mail addresses even "
    "date of birth etc. of your Friends, Relatives, Clients etc., You can even printout lables of your own "
    "design and of your own choice";
inline constexpr const char* kOfficePrompt = "Click to Install OFFICE AUTOMATION SOFTWARE";
inline constexpr const char* kOfficeDescription =
    "This is a software where Auditors,Chartered Accountants and Income Tax Practitioners can store various "
    "data of their client and prepare case - sheet for their clients for each year seperately. It is "
    "exclusively designed for Chartered Accountants & Income Tax Practitioners.";
inline constexpr const char* kExitPrompt = "Click to EXIT";
inline constexpr const char* kBlankPrompt = " ";
inline constexpr const char* kInstruction = "Move your Mouse over the Text and see the instruction";

// The maker's contact line (with the e-mail address the build was configured
// with, maker_details.h) and statement.
inline constexpr const char* kMakerEmail = MAKER_EMAIL;
inline constexpr const char* kContactLinePrefix = "Contact Tarvelo,  e-mail Address: ";
inline constexpr const char* kMakerStatement =
    "Here are we to serve you better with our user friendly packages. Conceived out of experience and "
    "personal meetings with various business people, it really gives you a joyful experience, when you are "
    "using our software.";

}  // namespace menu
