#include "platform/x11/X11KeySymbols.h"

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

#include <algorithm>
#include <iterator>

namespace {
struct NamedKey {
    quint32 virtualKey;
    quint32 keysym;
};

constexpr NamedKey kNamedKeys[] = {
    {0x08, XK_BackSpace},   {0x09, XK_Tab},          {0x0C, XK_Clear},        {0x0D, XK_Return},
    {0x13, XK_Pause},       {0x14, XK_Caps_Lock},    {0x1B, XK_Escape},       {0x20, XK_space},
    {0x21, XK_Prior},       {0x22, XK_Next},         {0x23, XK_End},          {0x24, XK_Home},
    {0x25, XK_Left},        {0x26, XK_Up},           {0x27, XK_Right},        {0x28, XK_Down},
    {0x29, XK_Select},      {0x2A, XK_Print},        {0x2B, XK_Execute},      {0x2C, XK_Print},
    {0x2D, XK_Insert},      {0x2E, XK_Delete},       {0x2F, XK_Help},         {0x5D, XK_Menu},
    {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add},       {0x6C, XK_KP_Separator}, {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal},  {0x6F, XK_KP_Divide},    {0x90, XK_Num_Lock},     {0x91, XK_Scroll_Lock},
    {0xBA, XK_semicolon},   {0xBB, XK_equal},        {0xBC, XK_comma},        {0xBD, XK_minus},
    {0xBE, XK_period},      {0xBF, XK_slash},        {0xC0, XK_grave},        {0xDB, XK_bracketleft},
    {0xDC, XK_backslash},   {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},   {0xE2, XK_less},
};
}  // namespace

quint32 keysymForVirtualKey(quint32 virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return XK_a + (virtualKey - 'A');  // the unshifted symbol finds the key
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return XK_0 + (virtualKey - '0');
    }
    if (virtualKey >= 0x60 && virtualKey <= 0x69) {
        return XK_KP_0 + (virtualKey - 0x60);
    }
    if (virtualKey >= 0x70 && virtualKey <= 0x87) {
        return XK_F1 + (virtualKey - 0x70);
    }
    const auto* found =
        std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys),
                     [virtualKey](const NamedKey& key) { return key.virtualKey == virtualKey; });
    return found == std::end(kNamedKeys) ? 0 : found->keysym;
}
