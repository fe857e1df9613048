#pragma once

#include <QtGlobal>

// The X keysym of the key a Windows virtual-key code names: letters, digits, F1 to F24, the
// keypad, the editing and cursor keys and the punctuation keys of a US layout. 0 for codes with
// no key of their own (mouse buttons, modifier keys, unassigned codes).
quint32 keysymForVirtualKey(quint32 virtualKey);
