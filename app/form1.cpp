#include "app/form1.h"

#include "forms/colour.h"
#include "screen/form1_definition.h"

Form1::Form1(forms::Shell& shell, forms::PictureLoader& loader)
    : forms::Form(screen::form1Window(), screen::form1Controls(), loader),
      Picture1(control("Picture1")),
      Image8(control("Image8")),
      Image7(control("Image7")),
      Image6(control("Image6")),
      Label19(control("Label19")),
      Label18(control("Label18")),
      Label17(control("Label17")),
      Label16(control("Label16")),
      Label15(control("Label15")),
      Label14(control("Label14")),
      Label13(control("Label13")),
      Label12(control("Label12")),
      Label11(control("Label11")),
      Label10(control("Label10")),
      Label8(control("Label8")),
      Image5(control("Image5")),
      Image4(control("Image4")),
      Image3(control("Image3")),
      Image2(control("Image2")),
      Label7(control("Label7")),
      Label6(control("Label6")),
      Label5(control("Label5")),
      Label4(control("Label4")),
      Label3(control("Label3")),
      Label2(control("Label2")),
      Label1(control("Label1")),
      Image1(control("Image1")),
      Shape1(control("Shape1")),
      shell_(shell) {
    BindEvents();
    DescribeForReaders();
}

void Form1::Form_Load() {
    Picture1.Top = 15.0f;
    Picture1.Left = 15.0f;
    Picture1.Height = 7190.0f;
    Picture1.Width = 9570.0f;
    Image2.Visible = false;
    Image3.Visible = false;
    Image4.Visible = false;
    Image5.Visible = false;
    HideTaskbar();
}

void Form1::Label12_Click() {
    Label12.ForeColor = forms::colourFromText("&H8000000E");
    unload();
    ShowTaskbar();
}

void Form1::closeRequested() {
    ShowTaskbar();
    unload();
}

void Form1::onUnhandledError(const forms::RuntimeError& e) {
    ShowTaskbar();
    shell_.messageBox(forms::standardErrorMessage(e), forms::box::kCritical, "Project1");
    unload();
}
