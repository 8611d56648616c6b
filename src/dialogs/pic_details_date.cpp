#include "pic_details_date.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDate>
#include <QLocale>
#include <QStyle>

TDateEdit::TDateEdit(QWidget* parent) : QLineEdit(parent), calendar_(new QCalendarWidget(this)) {
  calendar_->setWindowFlags(Qt::Popup);
  calendar_->setObjectName(QStringLiteral("calDate"));
  QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
  drop->setObjectName(QStringLiteral("acCalendar"));
  connect(drop, &QAction::triggered, this, &TDateEdit::ShowCalendar);
  connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate date) {
    calendar_->hide();
    setText(date.toString(DateFormat()));
    setFocus();
  });
}

QString TDateEdit::DateFormat() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy")))
    format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return format;
}

void TDateEdit::ShowCalendar() {
  const QDate typed = QDate::fromString(text().trimmed(), DateFormat());
  calendar_->setSelectedDate(typed.isValid() ? typed : QDate::currentDate());
  calendar_->move(mapToGlobal(rect().bottomLeft()));
  calendar_->show();
  calendar_->setFocus();
}
