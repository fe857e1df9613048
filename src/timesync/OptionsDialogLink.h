#pragma once

#include <QRect>

// What the synchronisation dialog needs of the Options dialog while that one is open: where it
// is, where its "Synchronize Now" button ends, and that button's enabled state.
class OptionsDialogLink {
public:
    virtual ~OptionsDialogLink() = default;
    // The Options dialog's outer left, top, width and height on the screen, in twips.
    virtual QRect geometryTwips() const = 0;
    // From its top edge to the bottom of "Synchronize Now", in twips: title bar and border, the
    // tab control's top, the frame's top, the button's top and its height.
    virtual int syncNowButtonBottomTwips() const = 0;
    virtual void setSyncNowButtonEnabled(bool enabled) = 0;
};
