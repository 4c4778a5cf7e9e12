// Colour texts and access-key captions.
#include <gtest/gtest.h>

#include "forms/colour.h"
#include "forms/mnemonic.h"
#include "forms/runtime_error.h"

namespace {

TEST(ColourText, ConvertsTheMenuColoursAsWritten) {
    EXPECT_EQ(forms::colourFromText("&H00ffff00"), 0x00FFFF00u);
    EXPECT_EQ(forms::colourFromText("&H8000000E"), 0x8000000Eu);
    EXPECT_EQ(forms::colourFromText("&H0080ff80"), 0x0080FF80u);
    EXPECT_EQ(forms::colourFromText("&hFF"), 0xFFu);
    EXPECT_EQ(forms::colourFromText("&H0000000000FF"), 0xFFu) << "leading zeros do not overflow";
}

TEST(ColourText, RejectsTextThatIsNotHexadecimal) {
    for (const char* bad : {"", "&H", "00ffff00", "&Hfffg", "#00ffff00", "&O17"}) {
        try {
            forms::colourFromText(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const forms::RuntimeError& e) {
            EXPECT_EQ(e.number(), 13) << bad;
        }
    }
    EXPECT_THROW(forms::colourFromText("&H100000000"), forms::RuntimeError);
}

TEST(ColourText, SystemColoursResolveToTheStandardScheme) {
    EXPECT_TRUE(forms::isSystemColour(0x8000000E));
    EXPECT_EQ(forms::systemColourIndex(0x8000000B), 11);
    EXPECT_EQ(forms::resolveWithDefaults(0x80000005), (forms::Rgb{255, 255, 255}));
    EXPECT_EQ(forms::resolveWithDefaults(0x0080C0FF), (forms::Rgb{255, 192, 128}));
}

TEST(AccessKeys, AmpersandMarksTheNextLetterOnlyWithUseMnemonic) {
    forms::DisplayText on = forms::accessKeyText("Accountants & Income &Tax && more&", true);
    EXPECT_EQ(on.text, "Accountants  Income Tax & more");
    EXPECT_EQ(on.underlined, (std::vector<std::size_t>{12, 20}));

    forms::DisplayText off = forms::accessKeyText("Accountants & Income", false);
    EXPECT_EQ(off.text, "Accountants & Income");
    EXPECT_TRUE(off.underlined.empty());
}

TEST(AccessKeys, KeepsAMultiByteLetterWhole) {
    forms::DisplayText t = forms::accessKeyText("&\xC3\xA9t\xC3\xA9", true);
    EXPECT_EQ(t.text, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(t.underlined, (std::vector<std::size_t>{0}));
}

}  // namespace
