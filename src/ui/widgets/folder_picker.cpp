#include "ui/widgets/folder_picker.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace ui {

namespace {

const char* const kHint =
    "選択したいﾌｫﾙﾀﾞのｱｲｺﾝをｸﾘｯｸしてください。"
    "選択不可能なﾌｫﾙﾀﾞがｸﾘｯｸされた場合は「OK」ﾎﾞﾀﾝが有効になりません。";
const char* const kChosenHeading = "選択ﾌｫﾙﾀﾞ";

// The nearest folder at or above `path` that exists.
QString NearestExisting(const QString& path) {
  QDir dir(QDir::cleanPath(QDir(path).absolutePath()));
  while (!dir.exists() && !dir.isRoot()) {
    if (!dir.cdUp()) break;
  }
  return dir.absolutePath();
}

}  // namespace

FolderPicker::FolderPicker(const QString& caption, const QString& preselected, QWidget* parent)
    : QDialog(parent),
      model_(new QFileSystemModel(this)),
      tree_(new QTreeView(this)),
      chosen_(new QLabel(this)),
      ok_(nullptr) {
  setWindowTitle(caption);
  setObjectName("FolderPicker");
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
  model_->setRootPath(QDir::rootPath());
  tree_->setObjectName("FolderTree");
  tree_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->setHeaderHidden(true);

  auto* hint = new QLabel(QString::fromUtf8(kHint), this);
  hint->setWordWrap(true);
  auto* heading = new QLabel(QString::fromUtf8(kChosenHeading), this);
  chosen_->setObjectName("ChosenFolder");
  chosen_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  chosen_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addWidget(tree_, 1);
  layout->addWidget(heading);
  layout->addWidget(chosen_);
  layout->addWidget(buttons);
  resize(420, 480);

  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &FolderPicker::SelectionChanged);
  if (!selectFolder(preselected)) {
    const QModelIndex near = model_->index(NearestExisting(preselected));
    tree_->expand(near);
    tree_->scrollTo(near);
  }
  SelectionChanged();
}

std::optional<QString> FolderPicker::Choose(QWidget* parent, const QString& caption,
                                            const QString& preselected) {
  FolderPicker picker(caption, preselected, parent);
  if (picker.exec() != QDialog::Accepted) return std::nullopt;
  return picker.folder();
}

bool FolderPicker::IsSelectable(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.isDir() && info.isReadable() && info.isExecutable();
}

bool FolderPicker::selectFolder(const QString& path) {
  if (!IsSelectable(path)) {
    tree_->selectionModel()->clearCurrentIndex();
    tree_->selectionModel()->clearSelection();
    SelectionChanged();
    return false;
  }
  const QModelIndex index = model_->index(QDir(path).absolutePath());
  if (!index.isValid()) return false;
  tree_->setCurrentIndex(index);
  tree_->scrollTo(index);
  return true;
}

QString FolderPicker::folder() const {
  const QModelIndex index = tree_->currentIndex();
  if (!index.isValid()) return {};
  const QString path = model_->filePath(index);
  return IsSelectable(path) ? QDir::toNativeSeparators(path) : QString();
}

void FolderPicker::SelectionChanged() {
  const QString path = folder();
  chosen_->setText(path);
  ok_->setEnabled(!path.isEmpty());
}

}  // namespace ui
