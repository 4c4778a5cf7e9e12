// The faces the screen is drawn with on Linux: each Windows name of the
// window definition comes out in its Debian face, bold, and the menu entries
// look like the design: heavy strokes, each entry on one line, filling its
// box as the original face did.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-font.h>

#include <string>
#include <thread>

#include "platform/cairo/font_faces.h"
#include "platform/cairo/startup_warmup.h"
#include "platform/headless/headless_window.h"
#include "screen/form1_definition.h"
#include "tests/render/ink.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::cairo::linuxFamily;
using platform::headless::HeadlessWindow;

// The file of the font that the calling thread's default font map gives for
// a family list at a weight, at the menu's size.
std::string fontFile(const char* family, int weight) {
    PangoFontMap* map = pango_cairo_font_map_get_default();
    PangoContext* context = pango_font_map_create_context(map);
    PangoFontDescription* wanted = pango_font_description_new();
    pango_font_description_set_family(wanted, family);
    pango_font_description_set_weight(wanted, static_cast<PangoWeight>(weight));
    pango_font_description_set_size(wanted, 12 * PANGO_SCALE);
    PangoFont* font = pango_font_map_load_font(map, context, wanted);
    std::string file;
    FcChar8* path = nullptr;
    if (font && PANGO_IS_FC_FONT(font) &&
        FcPatternGetString(pango_fc_font_get_pattern(PANGO_FC_FONT(font)), FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (font) g_object_unref(font);
    pango_font_description_free(wanted);
    g_object_unref(context);
    return file;
}

std::string baseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

struct ExpectedFace {
    const char* windowsFace;
    const char* file;  // of its bold face
};
constexpr ExpectedFace kExpected[] = {
    {"Tahoma", "DejaVuSansCondensed-Bold.ttf"},
    {"Courier New", "LiberationMono-Bold.ttf"},
    {"MS Sans Serif", "LiberationSans-Bold.ttf"},
};

void expectDebianFaces() {
    for (const ExpectedFace& e : kExpected) {
        SCOPED_TRACE(e.windowsFace);
        std::string file = fontFile(linuxFamily(e.windowsFace), 700);
        EXPECT_EQ(baseName(file), e.file) << file;
        EXPECT_EQ(file.find("/wine/"), std::string::npos) << "nothing from Wine's data folder";
    }
}

TEST(Faces, EachWindowsNameOfTheScreenResolvesToItsDebianFaceInBold) {
    // Every font the window definition names has an entry of the table.
    for (const forms::ControlDef& def : screen::form1Controls()) {
        if (def.kind != forms::Kind::Label) continue;
        SCOPED_TRACE(def.name);
        EXPECT_STRNE(linuxFamily(def.font.name), def.font.name) << def.font.name << " has no Debian face";
    }
    std::thread([] { expectDebianFaces(); }).join();
    // The same through the font map the start-up thread prepares and hands over.
    std::thread([] {
        platform::cairo::StartupWarmup warmup(screen::form1Controls());
        warmup.adopt();
        expectDebianFaces();
    }).join();
}

TEST(Faces, NamesMatchWithoutRegardToCaseAndUnknownNamesPassThrough) {
    EXPECT_STREQ(linuxFamily("TAHOMA"), linuxFamily("Tahoma"));
    EXPECT_STREQ(linuxFamily("courier new"), linuxFamily("Courier New"));
    EXPECT_STREQ(linuxFamily("Verdana"), "Verdana");
}

// A bold face's vertical strokes at 16 pixels; a regular face's are 1 to
// 1.5, and a regular face thickened by the font renderer 2.
constexpr double kBoldStem = 2.2;

class MenuEntriesTest : public Form1Test {
protected:
    MenuEntriesTest() : window(form, 1022, 766) {}
    HeadlessWindow window;
};

TEST_F(MenuEntriesTest, AreDrawnBoldEachOnOneLineFillingTheirBoxes) {
    platform::headless::Surface shot = window.render();
    auto pixel = [&](int x, int y) { return HeadlessWindow::pixel(shot.get(), x, y); };
    for (forms::Control* c : {&form.Label8, &form.Label10, &form.Label11, &form.Label12}) {
        SCOPED_TRACE(c->name());
        forms::PixelRect box = form.visibleBox(*c);
        ink::Measure m = ink::measure(pixel, box, forms::rgbOf(c->ForeColor));
        EXPECT_EQ(m.lines, 1);
        EXPECT_GE(m.stem, kBoldStem);
        // Centred, and as wide as the original face drew it: a wrapped or
        // narrow face would leave much of the box empty.
        EXPECT_GE(m.right - m.left, box.width * 8 / 10);
        EXPECT_NEAR((m.left + m.right) / 2.0, box.left + box.width / 2.0, 2.0);
    }
}

}  // namespace
