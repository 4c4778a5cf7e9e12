// The window definition of the installation menu: the window Form1 and its
// 28 controls with every property they start with.
#pragma once

#include <span>

#include "forms/definition.h"

namespace screen {

const forms::WindowDef& form1Window();

// The controls in ID order: Picture1 (ID 1) first, Shape1 (ID 28) last.
std::span<const forms::ControlDef> form1Controls();

// The maker's details that the screen shows.
namespace maker {
inline constexpr const char* kPostalAddress = "Tarvelo House, 14 Mill Road, Eastbury 560012";
inline constexpr const char* kAreaCode = "  STD : 0484";
inline constexpr const char* kTelephone = "Phone : 235018";
}  // namespace maker

}  // namespace screen
