// Starting the product installers that lie beside the menu.
//
// A click looks for the installer in the application directory (ordinary
// files only, whatever the letter case) and either says it is missing or
// starts exactly the file it found, as a process of its own, in the
// application directory. The menu stays up and unchanged whatever happens.
#include <string>

#include "app/form1.h"
#include "forms/colour.h"
#include "menu/texts.h"

namespace menu {

struct Installer {
    const char* fileName;        // the name looked up in the application directory
    const char* missingLine1;    // the not-found message, first line
    const char* missingLine2;    // and second line
};

namespace {

constexpr Installer kOfficeAutomation{
    "QUV.EXE",
    "Excutable(QUV.exe) File Not Found, Cant't install",
    "OFFICE AUTOMATION SOFTWARE Package",
};

constexpr Installer kAddressBook{
    "Murdelo.EXE",
    "Excutable(MURDELO.exe) File Not Found,",
    "Cant't install ADDRESS-BOOK Software Package",
};

constexpr const char* kMessageTitle = "Message Window";
constexpr char kLineBreak = '\r';

// dir and name joined by one separator: a root directory ("D:\") already
// ends in one.
std::string joinPath(const std::string& dir, const std::string& name, char separator) {
    if (!dir.empty() && (dir.back() == separator || dir.back() == '/')) return dir + name;
    return dir + separator + name;
}

}  // namespace

}  // namespace menu

void Form1::Label10_Click() { StartInstaller(Label10, menu::kOfficeAutomation); }

void Form1::Label8_Click() { StartInstaller(Label8, menu::kAddressBook); }

void Form1::StartInstaller(forms::Control& entry, const menu::Installer& installer) {
    try {
        entry.ForeColor = forms::colourFromText(menu::kPressedColour);
    } catch (const forms::RuntimeError&) {
        return;  // the click ends silently; the menu is unchanged
    }

    const char sep = shell_.pathSeparator();
    std::string appDir;
    std::string found;
    try {
        appDir = shell_.appPath();
        found = shell_.dir(menu::joinPath(appDir, installer.fileName, sep), forms::attributes::kNormal);
    } catch (const forms::RuntimeError& e) {
        shell_.messageBox(std::string("Cannot look for ") + installer.fileName + " in " + appDir + menu::kLineBreak +
                              e.description(),
                          forms::box::kExclamation, menu::kMessageTitle);
        return;
    }

    if (found.empty()) {
        shell_.messageBox(std::string(installer.missingLine1) + menu::kLineBreak + installer.missingLine2,
                          forms::box::kQuestion, menu::kMessageTitle);
        return;
    }

    // Start the very file the lookup found, with its own directory as the
    // working directory so that it finds the files it brings along.
    const std::string program = menu::joinPath(appDir, found, sep);
    try {
        shell_.startProcess(program, appDir, forms::show::kNormal);
    } catch (const forms::RuntimeError& e) {
        if (e.number() == forms::kStartCancelled) return;  // the user declined the elevation prompt
        shell_.messageBox("Cannot start " + program + menu::kLineBreak + e.description(), forms::box::kExclamation,
                          menu::kMessageTitle);
    }
}
