#pragma once

// Facts about the running window system that decide which window effects can be shown.
namespace WindowSystem {

// True when a translucent top-level window actually looks translucent: an X11 display with a
// compositing manager running. Offscreen, minimal and Wayland sessions cannot show window opacity.
bool showsTranslucency();

}  // namespace WindowSystem
