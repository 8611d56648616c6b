#pragma once
// The book window's Setup, AlbumProperties, EditChapters and DoRunGuide
// commands: the setup dialog and the new album guide, made once for the
// window and opened by its actions.

class AlbumBrowser;
class GuideDialog;
class SetupDialog;

// Connects the window's actions to the setup dialog and the guide, which are
// made when first opened (owned by the window, named so the language file
// reaches them).
void AttachSetupCommands(AlbumBrowser& browser);

// The dialogs of AttachSetupCommands, made now if not yet (null before it).
SetupDialog* SetupDialogOf(const AlbumBrowser& browser);
GuideDialog* GuideOf(const AlbumBrowser& browser);

// At a start without a file: the guide, while the RunGuide setting is on.
void ShowStartupGuide(AlbumBrowser& browser);
