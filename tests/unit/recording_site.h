// What unit tests build forms with: a picture loader that decodes nothing,
// a window that records what the form asks of it and tells its readers, and
// handlers that log the events they get.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"

// Every picture a 32 by 32 blank.
class NoPictures : public forms::PictureLoader {
public:
    std::unique_ptr<forms::Picture> load(forms::FileImage) override {
        struct Blank : forms::Picture {
            int width() const override { return 32; }
            int height() const override { return 32; }
        };
        return std::make_unique<Blank>();
    }
};

class RecordingSite : public forms::FormSite {
public:
    std::vector<forms::PixelRect> dirty;
    bool unloaded = false;
    std::vector<std::string> news;  // "focus Label8", "focus none", "name Label3", "hide Label13", ...

    void invalidate(const forms::PixelRect& r) override { dirty.push_back(r); }
    void unload() override { unloaded = true; }
    void focusChanged(const forms::Control* c) override { news.push_back(std::string("focus ") + (c ? c->name() : "none")); }
    void nameChanged(const forms::Control& c) override { news.push_back(std::string("name ") + c.name()); }
    void visibilityChanged(const forms::Control& c, bool visible) override {
        news.push_back(std::string(visible ? "show " : "hide ") + c.name());
    }
};

// An event as the logs write it.
inline const char* eventName(forms::Event e) {
    switch (e) {
        case forms::Event::MouseMove: return "move";
        case forms::Event::MouseDown: return "down";
        case forms::Event::MouseUp: return "up";
        case forms::Event::Click: return "click";
        case forms::Event::DblClick: return "dblclick";
    }
    return "?";
}

// Every event of each named control adds "Name:event" to log.
inline void logEvents(forms::Form& form, std::initializer_list<const char*> names, std::vector<std::string>& log) {
    for (const char* name : names)
        for (forms::Event e : {forms::Event::MouseMove, forms::Event::MouseDown, forms::Event::MouseUp,
                               forms::Event::Click, forms::Event::DblClick})
            form.on(form.control(name), e, [&log, name, e] { log.push_back(std::string(name) + ":" + eventName(e)); });
}
