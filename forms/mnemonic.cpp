#include "forms/mnemonic.h"

namespace forms {

DisplayText accessKeyText(std::string_view caption, bool useMnemonic) {
    DisplayText out;
    if (!useMnemonic) {
        out.text.assign(caption);
        return out;
    }
    out.text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out.text += caption[i];
            continue;
        }
        if (i + 1 >= caption.size()) break;  // a lone "&" at the end draws nothing
        if (caption[i + 1] == '&') {
            out.text += '&';
        } else {
            out.underlined.push_back(out.text.size());
            out.text += caption[i + 1];
            // A UTF-8 sequence stays whole: copy its continuation bytes too.
            while (i + 2 < caption.size() && (static_cast<unsigned char>(caption[i + 2]) & 0xC0) == 0x80)
                out.text += caption[++i + 1];
        }
        ++i;
    }
    return out;
}

}  // namespace forms
