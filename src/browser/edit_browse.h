#pragma once
// Editing and browsing share the hit test, the selection and the image
// properties dialog: browsing opens the dialog and moves the selection,
// editing asks browsing where images are and selects what it changed.

class BrowseWindow;
class EditWindow;

void ConnectEditing(EditWindow& edit, BrowseWindow& browse);
