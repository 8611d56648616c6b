#include "goto.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "core/open_album.h"

QStringList GotoChapterItems(const AlbumModel& model) {
  QStringList items{model.DataTitles.value(0)};
  for (int k = 0; k < model.ChapterCount(); ++k) items << model.ChapterNames[k];
  return items;
}

int GotoSpread(int value) { return value % 2 != 0 ? value - 1 : value; }

namespace {

// The dialog's size and its chapter box's width as designed; the box only
// grows from there.
const QSize kDesignSize(187, 79);
const int kDesignBoxWidth = 121;

template <typename T>
T* Component(QWidget* parent, const char* name, QRect geometry) {
  auto* component = new T(parent);
  component->setObjectName(QLatin1String(name));
  component->setGeometry(geometry);
  return component;
}

}  // namespace

GotoDialog::GotoDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fGoto"));
  setWindowTitle(tr("Go to"));
  setFixedSize(kDesignSize);
  lbChapter = Component<QLabel>(this, "lbChapter", {10, 5, 121, 15});
  lbChapter->setText(tr("Chapter"));
  lbPage = Component<QLabel>(this, "lbPage", {135, 5, 41, 15});
  lbPage->setText(tr("Page"));
  edPage = Component<QSpinBox>(this, "edPage", {135, 20, 41, 21});
  edChapter = Component<QComboBox>(this, "edChapter", {10, 20, 121, 21});
  btOK = Component<QPushButton>(this, "btOK", {72, 54, 51, 20});
  btOK->setText(tr("OK"));
  btOK->setDefault(true);
  btCancel = Component<QPushButton>(this, "btCancel", {127, 54, 51, 20});
  btCancel->setText(tr("Cancel"));
  setTabOrder(edPage, edChapter);
  setTabOrder(edChapter, btOK);
  setTabOrder(btOK, btCancel);
  edPage->setRange(0, 0);
  connect(edChapter, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &GotoDialog::edChapterChange);
  connect(edChapter, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &GotoDialog::ShowWholeName);
  connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void GotoDialog::edChapterChange(int index) {
  if (index < 0 || !model_) return;
  edPage->setMaximum(model_->LastSpread(index, perPage_));
}

void GotoDialog::ShowGoto(const AlbumModel& model, const ViewState& view, int perPage,
                          const std::function<void(int, int)>& showSpread) {
  model_ = &model;
  perPage_ = perPage;
  {
    const QSignalBlocker blocker(edChapter);
    FillChapters(GotoChapterItems(model));
    edChapter->setCurrentIndex(std::max(0, view.CurrentChapter));
  }
  ShowWholeName(edChapter->currentIndex());
  // The spin box keeps to the current chapter from the start, so a spread
  // past its end cannot be asked for.
  edChapterChange(edChapter->currentIndex());
  edPage->setValue(std::max(0, view.CurrentPage));
  edPage->selectAll();
  edPage->setFocus();
  if (exec() == QDialog::Accepted)
    showSpread(edChapter->currentIndex(), GotoSpread(edPage->value()));
  model_ = nullptr;
}

void GotoDialog::FillChapters(const QStringList& items) {
  edChapter->clear();
  const QFontMetrics metrics(edChapter->font());
  // What the box takes beside its text: frame, margins, arrow.
  QStyleOptionComboBox option;  // a framed list, as the box is
  option.initFrom(edChapter);
  const int chrome =
      edChapter->style()
          ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(0, metrics.height()), edChapter)
          .width() +
      2;  // the style draws the text 1 pixel in from each side
  int widest = 0;
  for (const QString& item : items) {
    const QString shown = metrics.elidedText(item, Qt::ElideRight, WidestChapterBox - chrome);
    edChapter->addItem(shown);
    if (shown != item) edChapter->setItemData(edChapter->count() - 1, item, Qt::ToolTipRole);
    widest = std::max(widest, metrics.horizontalAdvance(shown));
  }
  const int width = std::clamp(chrome + widest, kDesignBoxWidth, WidestChapterBox);
  // The page box and the buttons keep their places from the right edge.
  const int extra = width - kDesignBoxWidth;
  setFixedSize(kDesignSize.width() + extra, kDesignSize.height());
  lbChapter->resize(width, lbChapter->height());
  edChapter->resize(width, edChapter->height());
  lbPage->move(135 + extra, lbPage->y());
  edPage->move(135 + extra, edPage->y());
  btOK->move(72 + extra, btOK->y());
  btCancel->move(127 + extra, btCancel->y());
}

void GotoDialog::ShowWholeName(int index) {
  edChapter->setToolTip(edChapter->itemData(index, Qt::ToolTipRole).toString());
}
