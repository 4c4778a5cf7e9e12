// The screen of a build configured with a maker's own details and pictures
// (tests/maker/maker_build_test.sh builds it): the captions read back from
// the definition, the contact line, the pictures the controls hold, and the
// painted screen. The expected values come from the environment, exactly as
// the maker wrote them:
//
//   MAKER_TEST_ADDRESS, MAKER_TEST_STD_CODE, MAKER_TEST_PHONE, MAKER_TEST_EMAIL
//   MAKER_TEST_PICTURES   the folder of the maker's pictures
//   MAKER_TEST_BACKGROUND the background's colour as "R,G,B"
//   MAKER_TEST_LOGO       the logo's fill colour as "R,G,B"
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "forms/mnemonic.h"
#include "platform/headless/headless_window.h"
#include "screen/form1_definition.h"
#include "screen/pictures.h"
#include "tests/unit/embedded_pictures.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::HeadlessWindow;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    if (!value) ADD_FAILURE() << name << " is not set: run this test from maker_build_test.sh";
    return value ? value : "";
}

forms::Rgb colourFrom(const std::string& text) {
    int r = -1, g = -1, b = -1;
    std::sscanf(text.c_str(), "%d,%d,%d", &r, &g, &b);
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

const forms::ControlDef& definitionOf(const char* name) {
    for (const forms::ControlDef& c : screen::form1Controls())
        if (c.name == std::string(name)) return c;
    throw std::runtime_error(std::string("no control ") + name);
}

// The caption as the label draws it.
std::string drawn(const forms::ControlDef& c) { return forms::accessKeyText(c.caption, c.useMnemonic).text; }

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The maker's file of this name, in any letter case, as the build finds it;
// empty where the folder has none.
std::filesystem::path makerFile(const std::string& name) {
    for (const auto& entry : std::filesystem::directory_iterator(env("MAKER_TEST_PICTURES"))) {
        std::string lower = entry.path().filename().string();
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == name) return entry.path();
    }
    return {};
}

bool same(forms::FileImage a, const std::vector<std::uint8_t>& b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); }

TEST(MakerScreen, TheDefinitionCarriesTheMakersTextsAsTheyWereWritten) {
    EXPECT_EQ(drawn(definitionOf("Label5")), env("MAKER_TEST_ADDRESS"));
    EXPECT_EQ(drawn(definitionOf("Label6")), "  STD : " + env("MAKER_TEST_STD_CODE"));
    EXPECT_EQ(drawn(definitionOf("Label7")), "Phone : " + env("MAKER_TEST_PHONE"));
}

TEST(MakerScreen, EachPictureIsTheMakersWhereTheFolderHasOneAndOursElsewhere) {
    const std::filesystem::path ours = std::filesystem::path(SOURCE_DIR) / "screen/pictures";
    int replaced = 0;
    for (const EmbeddedPicture& p : embeddedPictures()) {
        SCOPED_TRACE(p.file);
        const std::filesystem::path theirs = makerFile(p.file);
        replaced += !theirs.empty();
        EXPECT_TRUE(same(p.bytes, readFile(theirs.empty() ? ours / p.file : theirs)));
    }
    EXPECT_GT(replaced, 0) << "the test's folder replaces some pictures";
    EXPECT_LT(replaced, 6) << "and keeps some of ours";
    // The controls hold what was embedded.
    EXPECT_TRUE(same(definitionOf("Picture1").picture, readFile(makerFile("background.bmp"))));
    EXPECT_TRUE(same(definitionOf("Image1").picture, readFile(makerFile("logo.wmf"))));
}

class MakerScreenTest : public Form1Test {
protected:
    MakerScreenTest() : window(form, 1022, 766) {}
    HeadlessWindow window;
};

TEST_F(MakerScreenTest, TheContactLineCarriesTheMakersAddress) {
    moveOver(form.Label5);
    EXPECT_EQ(std::string(form.Label3.Caption), "Contact Tarvelo,  e-mail Address: " + env("MAKER_TEST_EMAIL") + " ");
}

TEST_F(MakerScreenTest, TheScreenShowsTheMakersBackgroundAndLogo) {
    platform::headless::Surface s = window.render();
    if (const char* dir = std::getenv("RENDER_TEST_PNG_DIR")) HeadlessWindow::savePng(s.get(), std::string(dir) + "/maker.png");
    EXPECT_EQ(HeadlessWindow::pixel(s.get(), background().x, background().y), colourFrom(env("MAKER_TEST_BACKGROUND")));
    const forms::Rgb logo = colourFrom(env("MAKER_TEST_LOGO"));
    const forms::PixelRect box = form.visibleBox(form.Image1);
    int inLogo = 0;
    for (int y = box.top; y < box.bottom(); ++y)
        for (int x = box.left; x < box.right(); ++x) inLogo += HeadlessWindow::pixel(s.get(), x, y) == logo;
    EXPECT_GT(inLogo, box.width * box.height / 10) << "the logo is drawn in the maker's colour";
}

}  // namespace
