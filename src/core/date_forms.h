#pragma once
// How a chapter writes its dates, so a date read from a photo can be written
// the same way ("5. 6. 2004" beside "17. 12. 2003"), else in the locale's form.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/album_model.h"

// A date written as three numbers between fixed texts: "5. 6. 2004",
// "05/06/04", "2004-06-05".
struct DateForm {
  QStringList Texts;  // before, between, between, after the three numbers
  QString Order;      // "dMy", "Mdy" or "yMd"
  bool PadDay = false;
  bool PadMonth = false;
  bool ShortYear = false;
};

// The form every non-empty date of the chapter shares; none when there is no
// date, two are written differently, or one is not three plain numbers. Day
// and month are told apart by a number above 12; where none is, the locale's
// order decides.
std::optional<DateForm> ChapterDateForm(const ImageList& images);
std::optional<DateForm> SharedDateForm(const QStringList& dates);
// date in form, else in LocaleDateFormat(); empty for an invalid date.
QString WriteDate(QDate date, const std::optional<DateForm>& form);
// The locale's short date form with a four-digit year.
QString LocaleDateFormat();
