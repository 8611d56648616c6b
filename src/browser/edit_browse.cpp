#include "browser/edit_browse.h"

#include "browser/browse_window.h"
#include "browser/edit_window.h"

void ConnectEditing(EditWindow& edit, BrowseWindow& browse) {
  BookBrowsing& browsing = browse.Browsing();
  edit.SetHooks({[&browsing](QPoint p) { return browsing.ImageAt(p); },
                 [&browsing](int a, int b) { browsing.SelectRange(a, b); }});
  // The dialog is made on first use; until then it is not showing.
  browse.SetDetails({[&edit] { return edit.DetailsShowing(); },
                     [&edit](int a, int b) { edit.Details().OpenDetails(a, b); },
                     [&edit](int i) { edit.Details().OpenDetailsReadOnly(i); },
                     [&edit](int a, int b) {
                       if (edit.DetailsShowing()) edit.Details().SetDetailsRange(a, b);
                     }});
}
