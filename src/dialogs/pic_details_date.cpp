#include "pic_details_date.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDate>
#include <QStyle>

#include "core/date_forms.h"

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent) {
  QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
  drop->setObjectName(QStringLiteral("acCalendar"));
  connect(drop, &QAction::triggered, this, &DateEdit::ShowCalendar);
}

QCalendarWidget* DateEdit::Calendar() {
  // Made when first asked for: the dialog is built at start-up, the
  // calendar is rarely opened, and it is slow to build.
  if (calendar_ != nullptr) return calendar_;
  calendar_ = new QCalendarWidget(this);
  calendar_->setWindowFlags(Qt::Popup);
  calendar_->setObjectName(QStringLiteral("calDate"));
  connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate date) {
    calendar_->hide();
    setText(date.toString(DateFormat()));
    setFocus();
  });
  return calendar_;
}

QString DateEdit::DateFormat() { return LocaleDateFormat(); }

void DateEdit::ShowCalendar() {
  const QDate typed = QDate::fromString(text().trimmed(), DateFormat());
  Calendar()->setSelectedDate(typed.isValid() ? typed : QDate::currentDate());
  calendar_->move(mapToGlobal(rect().bottomLeft()));
  calendar_->show();
  calendar_->setFocus();
}
