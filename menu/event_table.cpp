// Which procedure answers which event of which control. A control or event
// that is not listed has no handler: the control swallows the event.
#include "app/form1.h"

namespace {

using forms::Event;

struct Binding {
    const char* control;
    Event event;
    void (Form1::*procedure)();
};

constexpr Binding kBindings[] = {
    {"Picture1", Event::MouseMove, &Form1::Picture1_MouseMove},

    {"Label8", Event::MouseMove, &Form1::Label8_MouseMove},
    {"Label8", Event::MouseDown, &Form1::Label8_MouseDown},
    {"Label8", Event::MouseUp, &Form1::Label8_MouseUp},
    {"Label8", Event::Click, &Form1::Label8_Click},

    {"Label10", Event::MouseMove, &Form1::Label10_MouseMove},
    {"Label10", Event::MouseDown, &Form1::Label10_MouseDown},
    {"Label10", Event::MouseUp, &Form1::Label10_MouseUp},
    {"Label10", Event::Click, &Form1::Label10_Click},

    {"Label11", Event::MouseMove, &Form1::Label11_MouseMove},
    {"Label11", Event::MouseDown, &Form1::Label11_MouseDown},
    {"Label11", Event::MouseUp, &Form1::Label11_MouseUp},
    {"Label11", Event::Click, &Form1::Label11_Click},

    {"Label12", Event::MouseMove, &Form1::Label12_MouseMove},
    {"Label12", Event::MouseDown, &Form1::Label12_MouseDown},
    {"Label12", Event::MouseUp, &Form1::Label12_MouseUp},
    {"Label12", Event::Click, &Form1::Label12_Click},

    {"Image1", Event::MouseMove, &Form1::Image1_MouseMove},
    {"Label2", Event::MouseMove, &Form1::Label2_MouseMove},
    {"Label5", Event::MouseMove, &Form1::Label5_MouseMove},
    {"Label6", Event::MouseMove, &Form1::Label6_MouseMove},
    {"Label7", Event::MouseMove, &Form1::Label7_MouseMove},
};

}  // namespace

void Form1::BindEvents() {
    for (const Binding& b : kBindings) on(control(b.control), b.event, [this, p = b.procedure] { (this->*p)(); });
}
