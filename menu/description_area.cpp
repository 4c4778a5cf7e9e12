// The maker's contact line in the description area, and the other-software
// panel.
#include <string>

#include "app/form1.h"
#include "menu/texts.h"

void Form1::mCaption() {
    static const std::string contactLine = std::string(menu::kContactLinePrefix) + menu::kMakerEmail + " ";
    Label3.Caption = contactLine;
    Label4.Caption = menu::kMakerStatement;
    Label4.Visible = true;
}

void Form1::ShowOtherPanel() {
    for (forms::Control* c : {&Label13, &Label14, &Label15, &Label16, &Label17, &Label18, &Label19})
        c->Visible = true;
    for (forms::Control* c : {&Image4, &Image6, &Image7, &Image8})
        c->Visible = true;
}

void Form1::Image1_MouseMove() { mCaption(); }
void Form1::Label2_MouseMove() { mCaption(); }
void Form1::Label5_MouseMove() { mCaption(); }
void Form1::Label6_MouseMove() { mCaption(); }
void Form1::Label7_MouseMove() { mCaption(); }
