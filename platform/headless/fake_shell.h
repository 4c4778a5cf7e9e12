// A shell for tests and previews: it records every call and answers from
// what the test set up. The taskbar is one pretend panel whose visibility the
// test can read; a lookup finds it only while `hasTaskbar` is set.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/shell.h"

namespace platform::headless {

class FakeShell final : public forms::Shell {
public:
    struct MessageBox {
        std::string prompt;
        int style;
        std::string title;
    };
    struct Start {
        std::string program;
        std::string workingDirectory;
        int showState;
    };
    struct Lookup {
        std::string path;
        int attributes;
    };

    static constexpr std::uintptr_t kPanel = 0x1234;

    // Set by the test.
    bool hasTaskbar = true;
    char separator = '\\';
    std::string applicationDirectory = "C:\\Menu";
    // Answers dir(); by default nothing is found.
    std::function<std::string(const std::string& path, int attributes)> lookup = [](const std::string&, int) {
        return std::string();
    };
    // Runs on every start; may throw forms::RuntimeError to make it fail.
    std::function<void(const Start&)> onStart = [](const Start&) {};
    // Runs while a message box is open, as what the box's own modal loop
    // would deliver meanwhile.
    std::function<void(const MessageBox&)> whileBoxOpen = [](const MessageBox&) {};

    // Recorded.
    bool taskbarVisible = true;
    std::vector<std::string> calls;  // "findTaskbar", "showWindow 0", "appPath", "dir ...", ...
    std::vector<Lookup> lookups;
    std::vector<Start> starts;
    std::vector<MessageBox> messages;

    forms::TaskbarWindows findTaskbar(const std::string& className) override;
    void showWindow(const forms::TaskbarWindows& windows, int showCommand) override;
    char pathSeparator() const override { return separator; }
    std::string appPath() override;
    std::string dir(const std::string& path, int attributeMask) override;
    void startProcess(const std::string& program, const std::string& workingDirectory, int showState) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;
};

}  // namespace platform::headless
