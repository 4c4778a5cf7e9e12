// What a screen reader does with an MSAA object, for the Wine tests: the
// children as AccessibleChildren gives them, each with its name, role and
// state, read through the object's own methods.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace wine_tests {

struct AccChild {
    LONG id = 0;
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
};

// A VARIANT child id.
VARIANT childId(LONG id);
// The children of acc, in the order the object gives them; children that
// are objects of their own are listed with id 0.
std::vector<AccChild> readChildren(IAccessible* acc);
// The first child of that name, or null.
const AccChild* findChild(const std::vector<AccChild>& children, const std::wstring& name);
// A child's name ("" when it has none or the call fails).
std::wstring nameOf(IAccessible* acc, LONG id);
// A child's state bits (0 when the call fails).
LONG stateOf(IAccessible* acc, LONG id);
// A child's place on the screen.
RECT locationOf(IAccessible* acc, LONG id);

}  // namespace wine_tests
