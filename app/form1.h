// Form1, the installation menu's one window, and its procedures.
//
// The class is split by concern: lifetime and the taskbar in app/, the
// mouse handlers, the description area, the panel and the installers in
// menu/. Every procedure is a fixed sequence of property assignments on the
// controls below; the only state is the controls' properties.
#pragma once

#include "forms/form.h"
#include "forms/shell.h"

namespace menu {
struct Installer;
}

class Form1 : public forms::Form {
public:
    // Creates the window and its controls from the window definition, with
    // their pictures built by loader, and binds the event procedures.
    Form1(forms::Shell& shell, forms::PictureLoader& loader);

    // The load step: raised once, before the window is first shown.
    void Form_Load();

    // The window is closed by something other than EXIT (a close request,
    // the session ending, a signal): the taskbar comes back, then the window
    // goes.
    void closeRequested() override;

    // Mouse handlers (menu/).
    void Label8_MouseMove();
    void Label10_MouseMove();
    void Label11_MouseMove();
    void Label12_MouseMove();
    void Label8_MouseDown();
    void Label10_MouseDown();
    void Label11_MouseDown();
    void Label12_MouseDown();
    void Label8_MouseUp();
    void Label10_MouseUp();
    void Label11_MouseUp();
    void Label12_MouseUp();
    void Label11_Click();
    void Picture1_MouseMove();
    void Image1_MouseMove();
    void Label2_MouseMove();
    void Label5_MouseMove();
    void Label6_MouseMove();
    void Label7_MouseMove();

    // Installers (menu/).
    void Label10_Click();
    void Label8_Click();

    // EXIT (app/).
    void Label12_Click();

    // Writes the maker's contact line and statement into the description area.
    void mCaption();

    forms::Control &Picture1, &Image8, &Image7, &Image6, &Label19, &Label18, &Label17, &Label16, &Label15,
        &Label14, &Label13, &Label12, &Label11, &Label10, &Label8, &Image5, &Image4, &Image3, &Image2, &Label7,
        &Label6, &Label5, &Label4, &Label3, &Label2, &Label1, &Image1, &Shape1;

protected:
    // An untrapped run-time error: the standard message, then the program
    // ends, with the taskbar shown again first.
    void onUnhandledError(const forms::RuntimeError& e) override;

private:
    void BindEvents();
    void DescribeForReaders();
    void HideTaskbar();
    void ShowTaskbar();
    void ResetMenu();
    void ShowOtherPanel();
    void HoverInstallEntry(forms::Control& entry, forms::Control& marker, const char* prompt,
                           const char* description);
    void StartInstaller(forms::Control& entry, const menu::Installer& installer);

    forms::Shell& shell_;
};
