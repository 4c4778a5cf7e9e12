#include "msaa_reader.h"

namespace wine_tests {

VARIANT childId(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::vector<AccChild> readChildren(IAccessible* acc) {
    std::vector<AccChild> out;
    long count = 0;
    if (FAILED(acc->get_accChildCount(&count)) || count <= 0) return out;
    std::vector<VARIANT> ids(static_cast<std::size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(acc, 0, count, ids.data(), &got))) return out;
    for (long i = 0; i < got; ++i) {
        AccChild c;
        if (ids[i].vt == VT_I4) {
            c.id = ids[i].lVal;
            c.name = nameOf(acc, c.id);
            VARIANT role;
            if (SUCCEEDED(acc->get_accRole(childId(c.id), &role)) && role.vt == VT_I4) c.role = role.lVal;
            c.state = stateOf(acc, c.id);
        }
        VariantClear(&ids[i]);
        out.push_back(c);
    }
    return out;
}

const AccChild* findChild(const std::vector<AccChild>& children, const std::wstring& name) {
    for (const AccChild& c : children)
        if (c.name == name) return &c;
    return nullptr;
}

std::wstring nameOf(IAccessible* acc, LONG id) {
    BSTR name = nullptr;
    std::wstring out;
    if (SUCCEEDED(acc->get_accName(childId(id), &name)) && name) out = name;
    SysFreeString(name);
    return out;
}

LONG stateOf(IAccessible* acc, LONG id) {
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(acc->get_accState(childId(id), &state)) && state.vt == VT_I4 ? state.lVal : 0;
}

RECT locationOf(IAccessible* acc, LONG id) {
    long x = 0, y = 0, w = 0, h = 0;
    acc->accLocation(&x, &y, &w, &h, childId(id));
    return {x, y, x + w, y + h};
}

}  // namespace wine_tests
