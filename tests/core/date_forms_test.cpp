#include "core/date_forms.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

// A date read from a photo is written as the chapter writes its dates, else
// in the locale's form.
TEST(DateFormsTest, WritesTheChaptersForm) {
  const QLocale old;
  QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
  const struct {
    QStringList dates;
    const char* written;  // 5 June 2004
  } rows[] = {
      {{"5. 6. 2004", "17. 12. 2003", ""}, "5. 6. 2004"},
      {{"05.06.2004", "17.12.2003"}, "05.06.2004"},
      {{"05.06.2004", "5.12.2003"}, "5.06.2004"},  // both day widths seen: not padded
      {{"12/24/2003", "1/2/2004"}, "6/5/2004"},
      {{"2003-12-24"}, "2004-06-05"},
      {{"24.12.03"}, "5.6.04"},
      {{"3/4/2004"}, "5/6/2004"},  // no day above 12: the locale's order
      {{"5. 6. 2004", "5.6.2004"}, "05.06.2004"},
      {{"June 2004"}, "05.06.2004"},
      {{"5. 6. 2004 14:30"}, "05.06.2004"},
      {{}, "05.06.2004"},
      {{"summer", "5. 6. 2004"}, "05.06.2004"},
  };
  for (const auto& row : rows) {
    ImageList images;
    for (const QString& date : row.dates) images << ImageRecord{{}, {}, date, {}, {}};
    EXPECT_EQ(WriteDate(QDate(2004, 6, 5), ChapterDateForm(images)), QString::fromUtf8(row.written))
        << row.dates.join(QStringLiteral(" | ")).toStdString();
  }
  EXPECT_EQ(WriteDate(QDate(), std::nullopt), QString());
  QLocale::setDefault(old);
}

}  // namespace
