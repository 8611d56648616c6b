#pragma once
// The date field of the image properties dialog: dates are free text in the
// album, so the field keeps whatever is typed; its calendar button fills in a
// picked date in the locale's short form with a four-digit year.

#include <QLineEdit>

class QCalendarWidget;

class DateEdit : public QLineEdit {
 public:
  explicit DateEdit(QWidget* parent = nullptr);
  // Pops the calendar up under the field, at the date typed (today when the
  // text is no date).
  void ShowCalendar();
  // The calendar, made on first use.
  QCalendarWidget* Calendar();
  static QString DateFormat();

 private:
  QCalendarWidget* calendar_ = nullptr;
};
