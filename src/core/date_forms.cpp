#include "date_forms.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

struct SplitDate {
  QStringList Texts;    // 4
  QStringList Numbers;  // 3
};

std::optional<SplitDate> Split(const QString& date) {
  static const QRegularExpression number(QStringLiteral("\\d+"));
  SplitDate s;
  int at = 0;
  auto it = number.globalMatch(date);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    s.Texts << date.mid(at, m.capturedStart() - at);
    s.Numbers << m.captured();
    at = m.capturedEnd();
  }
  s.Texts << date.mid(at);
  if (s.Numbers.size() != 3) return std::nullopt;
  // Only punctuation and spaces around the numbers: "June 2004" is no form.
  for (const QString& t : s.Texts)
    for (QChar c : t)
      if (c.isLetterOrNumber()) return std::nullopt;
  return s;
}

// "dMy" or "Mdy": where the day and month stand in the locale's form.
QString LocaleOrder() {
  const QString f = LocaleDateFormat();
  return f.indexOf(u'M') < f.indexOf(u'd') ? QStringLiteral("Mdy") : QStringLiteral("dMy");
}

QString Number(int value, bool pad) {
  return QStringLiteral("%1").arg(value, pad ? 2 : 1, 10, QLatin1Char('0'));
}

}  // namespace

std::optional<DateForm> SharedDateForm(const QStringList& dates) {
  std::optional<QStringList> texts;
  int yearAt = -1;
  bool big[3] = {false, false, false};     // a value above 12 seen
  bool padded[3] = {false, false, false};  // a leading zero seen
  bool unpadded[3] = {false, false, false};
  for (const QString& raw : dates) {
    const QString date = raw.trimmed();
    if (date.isEmpty()) continue;
    const std::optional<SplitDate> s = Split(date);
    if (!s || (texts && *texts != s->Texts)) return std::nullopt;
    texts = s->Texts;
    for (int i = 0; i < 3; ++i) {
      const QString& n = s->Numbers[i];
      if (n.size() > 2) {
        if (yearAt >= 0 && yearAt != i) return std::nullopt;
        yearAt = i;
      }
      if (n.toInt() > 12) big[i] = true;
      if (n.size() == 2 && n.startsWith(u'0')) padded[i] = true;
      if (n.size() == 1) unpadded[i] = true;
    }
  }
  if (!texts) return std::nullopt;
  DateForm form;
  form.Texts = *texts;
  if (yearAt < 0) {  // two-digit years stand last
    yearAt = 2;
    form.ShortYear = true;
  }
  if (yearAt == 0) {
    if (big[1]) return std::nullopt;
    form.Order = QStringLiteral("yMd");
  } else if (yearAt == 2) {
    if (big[0] && big[1]) return std::nullopt;
    form.Order = big[0] ? QStringLiteral("dMy") : big[1] ? QStringLiteral("Mdy") : LocaleOrder();
  } else {
    return std::nullopt;
  }
  const int day = form.Order.indexOf(u'd');
  const int month = form.Order.indexOf(u'M');
  // A field is padded when a value shows a leading zero and none is short;
  // year-first forms are ISO dates, padded unless a value says otherwise.
  const bool iso = yearAt == 0;
  form.PadDay = (padded[day] || iso) && !unpadded[day];
  form.PadMonth = (padded[month] || iso) && !unpadded[month];
  return form;
}

std::optional<DateForm> ChapterDateForm(const ImageList& images) {
  QStringList dates;
  for (const ImageRecord& r : images) dates << r.Date;
  return SharedDateForm(dates);
}

QString WriteDate(QDate date, const std::optional<DateForm>& form) {
  if (!date.isValid()) return {};
  if (!form) return QLocale().toString(date, LocaleDateFormat());
  QString out = form->Texts[0];
  for (int i = 0; i < 3; ++i) {
    const QChar f = form->Order[i];
    QString n;
    if (f == u'y')
      n = form->ShortYear ? Number(date.year() % 100, true) : QString::number(date.year());
    if (f == u'M') n = Number(date.month(), form->PadMonth);
    if (f == u'd') n = Number(date.day(), form->PadDay);
    out += n + form->Texts[i + 1];
  }
  return out;
}

QString LocaleDateFormat() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy")))
    format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return format;
}
