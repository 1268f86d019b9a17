#pragma once

#include <windows.h>

namespace kestrel::win32 {

// Loads the rich text control's library (version 2.0) and registers the
// common control classes, once; the main window's console needs both.
void LoadRichTextControl();

// The about box (template 100) and the version history (template 137),
// modal over `owner`.
void ShowAboutBox(HWND owner);
void ShowVersionHistory(HWND owner);

// The custom label editor (template 138), modal over the main window. Save
// writes the settings file, sends message 1025 to the main window and closes;
// Cancel, Enter, Esc and the close box close without writing.
void EditCustomLabel(HWND mainWindow);

}  // namespace kestrel::win32
