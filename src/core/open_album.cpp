#include "open_album.h"

void OpenAlbum::ResetToStart() {
  Model.ResetToStart();
  Thumbs.Clear();
  View = ViewState();
}

void OpenAlbum::ResetToNew() {
  ResetToStart();
  Model.AlbumModified = true;
  View.CurrentChapter = 0;
  View.CurrentPage = 0;
}
