#pragma once
// The program's start with a window: the windows made once, the settings,
// the file of the command line or the closed book of an empty album, then
// the event loop until the book window closes.

#include <QString>

class Prompts;
class AlbumBrowser;

// The program's name, version, desktop entry and window icon, as the desktop
// matches its windows to its entry (call once the application exists).
void SetProgramIdentity();

// Makes the windows (the book window first), loads the settings and opens
// file (empty: none); a file that cannot be opened is named in an error
// message with the reason. The caller owns the returned window. ask: where
// its questions and file dialogs go (null: Qt's own boxes); it must outlive
// the window.
AlbumBrowser* StartBookWindow(const QString& file, Prompts* ask = nullptr);

// Why file cannot be opened as an album, format or data file ("Cannot open
// ...: there is no such file"); empty when it can be tried.
QString CannotOpenReason(const QString& file);

// StartBookWindow, shown, and the event loop; the process's exit status.
int RunBookWindow(const QString& file);

// Whether a window can be shown at all; otherwise why not.
bool HasDisplay(QString* why);
