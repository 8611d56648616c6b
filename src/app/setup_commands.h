#pragma once
// The book window's Setup, AlbumProperties, EditChapters and DoRunGuide
// commands: the setup dialog and the new album guide, made once for the
// window and opened by its actions.

class TfAlbumBrowser;
class TfGuide;
class TfSetup;

// Connects the window's actions to the setup dialog and the guide, which are
// made when first opened (owned by the window, named so the language file
// reaches them).
void AttachSetupCommands(TfAlbumBrowser& browser);

// The dialogs of AttachSetupCommands, made now if not yet (null before it).
TfSetup* SetupDialogOf(const TfAlbumBrowser& browser);
TfGuide* GuideOf(const TfAlbumBrowser& browser);

// At a start without a file: the guide, while the RunGuide setting is on.
void ShowStartupGuide(TfAlbumBrowser& browser);
