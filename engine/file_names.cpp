#include "engine/file_names.h"

namespace tunelift {

namespace {

bool IsDeviceName(const std::wstring& name) {
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (wchar_t& c : base)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 0x20);
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" ||
        base == L"CONOUT$")
        return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           ((base[3] >= L'0' && base[3] <= L'9') || base[3] == 0xB9 || base[3] == 0xB2 || base[3] == 0xB3);
}

}  // namespace

std::wstring FoldNameCase(const std::wstring& name) {
    std::wstring key = name;
    for (wchar_t& c : key) {
        const unsigned u = static_cast<unsigned>(c);
        if (u >= L'a' && u <= L'z') c = static_cast<wchar_t>(u - 0x20);
        else if (u < 0xE0) continue;
        else if (u <= 0xFE && u != 0xF7) c = static_cast<wchar_t>(u - 0x20);
        else if (u == 0xFF) c = static_cast<wchar_t>(0x178);
        // Latin Extended-A: upper and lower case alternate in pairs.
        else if ((u >= 0x100 && u <= 0x12F) || (u >= 0x132 && u <= 0x137) ||
                 (u >= 0x14A && u <= 0x177)) c = static_cast<wchar_t>(u & ~1u);
        else if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) {
            if (u % 2 == 0) c = static_cast<wchar_t>(u - 1);
        }
        // Greek; final sigma stays, the system has no capital for it.
        else if ((u >= 0x3B1 && u <= 0x3C1) || (u >= 0x3C3 && u <= 0x3CB)) c = static_cast<wchar_t>(u - 0x20);
        else if (u == 0x3AC) c = static_cast<wchar_t>(0x386);
        else if (u >= 0x3AD && u <= 0x3AF) c = static_cast<wchar_t>(u - 0x25);
        else if (u == 0x3CC) c = static_cast<wchar_t>(0x38C);
        else if (u == 0x3CD || u == 0x3CE) c = static_cast<wchar_t>(u - 0x3F);
        // Cyrillic.
        else if (u >= 0x430 && u <= 0x44F) c = static_cast<wchar_t>(u - 0x20);
        else if (u >= 0x450 && u <= 0x45F) c = static_cast<wchar_t>(u - 0x50);
        else if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF)) c = static_cast<wchar_t>(u & ~1u);
        // Full-width Latin letters.
        else if (u >= 0xFF41 && u <= 0xFF5A) c = static_cast<wchar_t>(u - 0x20);
    }
    return key;
}

bool IsPlainFileName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (const wchar_t c : name) {
        if (c < 0x20) return false;
        switch (c) {
            case L'\\': case L'/': case L':': case L'*': case L'?': case L'"': case L'<': case L'>': case L'|':
                return false;
            default:
                break;
        }
    }
    if (name.back() == L'.' || name.back() == L' ') return false;
    return !IsDeviceName(name);
}

}  // namespace tunelift
