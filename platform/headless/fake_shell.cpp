#include "platform/headless/fake_shell.h"

namespace platform::headless {

forms::TaskbarWindows FakeShell::findTaskbar(const std::string& className) {
    calls.push_back("findTaskbar " + className);
    // Like FindWindowA: a null handle when there is no such window.
    return {{hasTaskbar && className == "Shell_TrayWnd" ? kPanel : 0}};
}

void FakeShell::showWindow(const forms::TaskbarWindows& windows, int showCommand) {
    calls.push_back("showWindow " + std::to_string(showCommand));
    for (std::uintptr_t h : windows.handles)
        if (h == kPanel && hasTaskbar) taskbarVisible = showCommand != forms::show::kHide;
}

std::string FakeShell::appPath() {
    calls.push_back("appPath");
    return applicationDirectory;
}

std::string FakeShell::dir(const std::string& path, int attributeMask) {
    calls.push_back("dir " + path);
    lookups.push_back({path, attributeMask});
    return lookup(path, attributeMask);
}

void FakeShell::startProcess(const std::string& program, const std::string& workingDirectory, int showState) {
    calls.push_back("start " + program);
    Start s{program, workingDirectory, showState};
    onStart(s);
    starts.push_back(s);
}

int FakeShell::messageBox(const std::string& prompt, int style, const std::string& title) {
    calls.push_back("messageBox " + title);
    messages.push_back({prompt, style, title});
    whileBoxOpen(messages.back());
    return forms::box::kOk;
}

}  // namespace platform::headless
