// The menu labels as links: pointer, underline, colour and marker image on
// hover, the pressed colour on any button, and the reset over the background.
// Every step is made on every event; the form repaints only real changes.
#include "app/form1.h"
#include "forms/colour.h"
#include "menu/texts.h"

using forms::colourFromText;

void Form1::Label8_MouseMove() {
    HoverInstallEntry(Label8, Image2, menu::kAddressPrompt, menu::kAddressDescription);
}

void Form1::Label10_MouseMove() {
    HoverInstallEntry(Label10, Image3, menu::kOfficePrompt, menu::kOfficeDescription);
}

// An install entry under the pointer: the link look, then its prompt and
// description in the description area.
void Form1::HoverInstallEntry(forms::Control& entry, forms::Control& marker, const char* prompt,
                              const char* description) {
    entry.MousePointer = forms::pointer::kCustom;
    entry.FontUnderline = true;
    marker.Visible = true;
    entry.ForeColor = colourFromText(menu::kHoverColour);
    Label3.Caption = prompt;
    Label4.Caption = description;
    Label3.Visible = true;
    Label4.Visible = true;
}

void Form1::Label12_MouseMove() {
    Label12.MousePointer = forms::pointer::kCustom;
    Label12.FontUnderline = true;
    Label12.ForeColor = colourFromText(menu::kHoverColour);
    Label4.Caption = menu::kExitPrompt;
    Image5.Visible = true;
}

void Form1::Label11_MouseMove() {
    Label11.ForeColor = colourFromText(menu::kHoverColour);
    ShowOtherPanel();
    Label4.Caption = "";
}

void Form1::Label8_MouseDown() { Label8.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label10_MouseDown() { Label10.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label11_MouseDown() { Label11.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label12_MouseDown() { Label12.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label8_MouseUp() { Label8.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label10_MouseUp() { Label10.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label11_MouseUp() { Label11.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label12_MouseUp() { Label12.ForeColor = colourFromText(menu::kPressedColour); }
void Form1::Label11_Click() { Label11.ForeColor = colourFromText(menu::kPressedColour); }

void Form1::Picture1_MouseMove() {
    Label3.Caption = menu::kBlankPrompt;
    Label4.Caption = menu::kInstruction;
    ResetMenu();
    Label8.ForeColor = colourFromText(menu::kRestColour);
    Label10.ForeColor = colourFromText(menu::kRestColour);
    Label11.ForeColor = colourFromText(menu::kRestColour);
    Label12.ForeColor = colourFromText(menu::kRestColour);
}

void Form1::ResetMenu() {
    for (forms::Control* c : {&Label13, &Label14, &Label15, &Label16, &Label17, &Label18, &Label19})
        c->Visible = false;
    for (forms::Control* c : {&Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8})
        c->Visible = false;
    for (forms::Control* c : {&Label8, &Label10, &Label12})
        c->FontUnderline = false;
}
