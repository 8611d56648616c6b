#include "splash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "dialogs/splash_logo.h"
#include "init/language.h"

const QString SplashHomePage = QStringLiteral("https://quirevale.example.org/");

namespace {

template <typename T>
T* Component(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* component = new T(parent);
  component->setObjectName(QLatin1String(name));
  component->setGeometry(left, top, width, height);
  return component;
}

QLabel* TransparentLabel(QWidget* parent, const char* name, int left, int top, int width,
                         int height, Qt::Alignment alignment) {
  auto* label = Component<QLabel>(parent, name, left, top, width, height);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setAlignment(alignment);
  return label;
}

}  // namespace

SplashDialog::SplashDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("fSplash"));
  setFixedSize(267, 155);
  QFont font = QApplication::font();
  font.setPointSize(8);
  setFont(font);

  pnMain = Component<QFrame>(this, "pnMain", 0, 0, 267, 155);
  pnMain->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnMain->setLineWidth(1);
  pnMain->setAutoFillBackground(true);
  QPalette white = pnMain->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  pnMain->setPalette(white);

  Logo = Component<LogoImage>(pnMain, "Logo", 2, 2, 263, 151);

  lbVersion =
      TransparentLabel(pnMain, "lbVersion", 141, 71, 110, 16, Qt::AlignRight | Qt::AlignTop);
  lbMaker = TransparentLabel(pnMain, "lbMaker", 0, 90, 265, 16, Qt::AlignCenter);
  lbHomePage = TransparentLabel(pnMain, "lbHomePage", 0, 110, 266, 13, Qt::AlignCenter);
  lbHomePage->setCursor(Qt::PointingHandCursor);
  QPalette link = lbHomePage->palette();
  link.setColor(QPalette::WindowText, Qt::blue);
  lbHomePage->setPalette(link);
  QFont underlined = lbHomePage->font();
  underlined.setUnderline(true);
  lbHomePage->setFont(underlined);
  lbHomePage->installEventFilter(this);
  lbProgress = TransparentLabel(pnMain, "lbProgress", 0, 95, 265, 26, Qt::AlignCenter);
  lbProgress->setWordWrap(true);

  ProgressBar = Component<QProgressBar>(pnMain, "ProgressBar", 10, 127, 244, 21);
  ProgressBar->setRange(0, 100);
  ProgressBar->setTextVisible(false);
  ProgressBar->setStyleSheet(
      QStringLiteral("QProgressBar { border: 1px solid #808080; background: white; }"
                     "QProgressBar::chunk { background-color: #000080; }"));

  btHelp = Component<QPushButton>(pnMain, "btHelp", 12, 128, 64, 20);
  btHelp->setText(QStringLiteral("Help"));
  btHelp->setAutoDefault(false);
  connect(btHelp, &QPushButton::clicked, this, [this] { btHelpClick(); });
  btClose = Component<QPushButton>(pnMain, "btClose", 190, 127, 63, 20);
  btClose->setText(QStringLiteral("Close"));
  btClose->setDefault(true);
  connect(btClose, &QPushButton::clicked, this, &QDialog::accept);

  for (QWidget* hidden : {static_cast<QWidget*>(lbMaker), static_cast<QWidget*>(lbHomePage),
                          static_cast<QWidget*>(lbProgress), static_cast<QWidget*>(ProgressBar),
                          static_cast<QWidget*>(btHelp), static_cast<QWidget*>(btClose)}) {
    hidden->hide();
  }
  FormCreate();
}

void SplashDialog::FormCreate() {
  lbVersion->setText(QStringLiteral("1.0"));
  lbMaker->setText(QStringLiteral("Made by the Quirevale developers"));
  lbHomePage->setText(SplashHomePage);
  // Drawn for the screen it opens on, so the text stays sharp on high-dpi ones.
  Logo->SetImage(DrawSplashLogo(Logo->size(), devicePixelRatioF()));
}

SplashDialog& SplashWindow(QWidget* parent, const QStringList& language) {
  // By its object name: the class has no meta-object of its own to be found by.
  auto* splash = dynamic_cast<SplashDialog*>(
      parent->findChild<QDialog*>(QStringLiteral("fSplash"), Qt::FindDirectChildrenOnly));
  if (splash != nullptr) return *splash;
  splash = new SplashDialog(parent);
  TranslateForm(language, splash);
  return *splash;
}

void SplashDialog::ShowAbout() {
  const QList<QWidget*> aboutOnly{lbMaker, lbHomePage, btHelp, btClose};
  // A progress box left open must not show through the About window.
  lbProgress->hide();
  ProgressBar->hide();
  for (QWidget* w : aboutOnly) w->show();
  btClose->setFocus();
  exec();
  for (QWidget* w : aboutOnly) w->hide();
}

void SplashDialog::ShowProgress(const QString& text, int percent, bool showGauge) {
  if (percent < 0) {
    lbProgress->hide();
    ProgressBar->hide();
    hide();
    return;
  }
  // A long file name would be cut at both ends; shorten each line in its
  // middle instead, so the start and the name of the file stay readable.
  QStringList lines = text.split(u'\n');
  for (QString& line : lines) {
    line = lbProgress->fontMetrics().elidedText(line, Qt::ElideMiddle, lbProgress->width() - 4);
  }
  lbProgress->setText(lines.join(u'\n'));
  lbProgress->show();
  ProgressBar->setValue(std::min(percent, 100));
  ProgressBar->setVisible(showGauge);
  if (!isVisible()) show();
  repaint();
  // Paint and other window-system work only: a click or a key reaching the
  // book in the middle of a load would start a second operation inside it.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashDialog::btHelpClick() { openUrl_(HelpTopicUrl(QStringLiteral("contents"))); }

void SplashDialog::lbHomePageClick() {
  // A language file may show another address; anything but a web address
  // opens the program's own.
  const QUrl shown = QUrl::fromUserInput(lbHomePage->text());
  const bool web =
      shown.scheme() == QLatin1String("http") || shown.scheme() == QLatin1String("https");
  openUrl_(web ? shown : QUrl(SplashHomePage));
}

bool SplashDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbHomePage && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    lbHomePageClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
