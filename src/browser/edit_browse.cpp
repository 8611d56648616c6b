#include "browser/edit_browse.h"

#include "browser/browse_window.h"
#include "browser/edit_window.h"

void ConnectEditing(TEditWindow& edit, TBrowseWindow& browse) {
  TBrowsing& browsing = browse.Browsing();
  edit.SetHooks({[&browsing](QPoint p) { return browsing.ImageAt(p); },
                 [&browsing](int a, int b) { browsing.SelectRange(a, b); }});
  TfPicDetails& details = edit.Details();
  browse.SetDetails({[&details] { return details.IsShowing(); },
                     [&details](int a, int b) { details.OpenDetails(a, b); },
                     [&details](int i) { details.OpenDetailsReadOnly(i); },
                     [&details](int a, int b) { details.SetDetailsRange(a, b); }});
}
