// Access keys in captions: with UseMnemonic, "&x" draws x underlined and
// "&&" draws a single "&"; without it the caption is drawn as it stands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace forms {

struct DisplayText {
    std::string text;                 // what is drawn
    std::vector<std::size_t> underlined;  // byte offsets in text of the access-key characters
};

DisplayText accessKeyText(std::string_view caption, bool useMnemonic);

}  // namespace forms
