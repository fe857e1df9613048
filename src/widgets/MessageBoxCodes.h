#pragma once

// The message box's numbers in the classic convention: a style is the sum of a button set, an icon
// and a default button, and the box answers with a result code. Settings, callers and tests know
// these numbers, so the values never change; only their names are new.

namespace MessageBoxButtonSet {
inline constexpr int Ok = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
}  // namespace MessageBoxButtonSet

namespace MessageBoxIcon {
inline constexpr int None = 0;
inline constexpr int Critical = 16;  // the stop sign
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
}  // namespace MessageBoxIcon

// Which button is the default, counted from the left.
namespace MessageBoxDefault {
inline constexpr int First = 0;
inline constexpr int Second = 256;
inline constexpr int Third = 512;
}  // namespace MessageBoxDefault

// The combinations the program shows.
namespace MessageBoxStyles {
inline constexpr int Plain = MessageBoxButtonSet::Ok + MessageBoxIcon::None;
inline constexpr int OkCritical = MessageBoxButtonSet::Ok + MessageBoxIcon::Critical;
inline constexpr int OkWarning = MessageBoxButtonSet::Ok + MessageBoxIcon::Exclamation;
inline constexpr int OkInformation = MessageBoxButtonSet::Ok + MessageBoxIcon::Information;
inline constexpr int YesNoQuestion = MessageBoxButtonSet::YesNo + MessageBoxIcon::Question;
inline constexpr int YesNoCancelQuestion = MessageBoxButtonSet::YesNoCancel + MessageBoxIcon::Question;
// For a step that is hard to undo: Enter alone must not take it.
inline constexpr int YesNoWarningDefaultNo =
    MessageBoxButtonSet::YesNo + MessageBoxIcon::Exclamation + MessageBoxDefault::Second;
}  // namespace MessageBoxStyles

namespace MessageBoxResult {
inline constexpr int Closed = 0;  // closed by the window manager or unloaded
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;  // also the Escape key
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace MessageBoxResult
