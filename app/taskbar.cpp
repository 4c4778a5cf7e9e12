// Hiding and showing the desktop's taskbar. Neither procedure keeps state:
// the taskbar is looked up afresh on every call, the handle is passed on even
// when nothing was found, and the result is not examined.
#include <string>

#include "app/form1.h"

void Form1::HideTaskbar() {
    std::string className = "Shell_TrayWnd";
    forms::TaskbarWindows taskbar = shell_.findTaskbar(className);
    shell_.showWindow(taskbar, forms::show::kHide);
}

void Form1::ShowTaskbar() {
    std::string className = "Shell_TrayWnd";
    forms::TaskbarWindows taskbar = shell_.findTaskbar(className);
    shell_.showWindow(taskbar, forms::show::kNormal);
}
