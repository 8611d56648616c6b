#pragma once
// The book window's Setup, AlbumProperties, EditChapters and DoRunGuide
// commands: the setup dialog and the new album guide, made once for the
// window and opened by its actions.

class TfAlbumBrowser;
class TfGuide;
class TfSetup;

// Makes the setup dialog and the guide (owned by the window, named so the
// language file reaches them) and connects the window's actions to them.
// Call before the settings are loaded.
void AttachSetupCommands(TfAlbumBrowser& browser);

// The dialogs made by AttachSetupCommands (null before).
TfSetup* SetupDialogOf(const TfAlbumBrowser& browser);
TfGuide* GuideOf(const TfAlbumBrowser& browser);

// At a start without a file: the guide, while the RunGuide setting is on.
void ShowStartupGuide(TfAlbumBrowser& browser);
