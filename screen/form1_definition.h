// The window definition of the installation menu: the window Form1 and its
// 28 controls with every property they start with.
#pragma once

#include <span>

#include "forms/definition.h"
#include "maker_details.h"

namespace screen {

const forms::WindowDef& form1Window();

// The controls in ID order: Picture1 (ID 1) first, Shape1 (ID 28) last.
std::span<const forms::ControlDef> form1Controls();

// The maker's details that the screen shows, as the build was configured
// (maker_details.h): the address as it stands, the area code and the number
// after their fixed prefixes.
namespace maker {
inline constexpr const char* kPostalAddress = MAKER_ADDRESS;
inline constexpr const char* kAreaCode = "  STD : " MAKER_STD_CODE_CAPTION;
inline constexpr const char* kTelephone = "Phone : " MAKER_PHONE_CAPTION;
}  // namespace maker

}  // namespace screen
