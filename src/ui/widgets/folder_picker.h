#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace ui {

/// The folder picker: a tree of the file system's folders, a hint, the chosen folder
/// under "選択ﾌｫﾙﾀﾞ", and OK enabled only while the selection is a folder that can be
/// chosen (one that exists and can be opened).
class FolderPicker : public QDialog {
  Q_OBJECT

 public:
  /// The picker titled `caption`, with `preselected` selected when it can be chosen
  /// (otherwise nothing is selected and the tree opens at its nearest existing parent).
  FolderPicker(const QString& caption, const QString& preselected, QWidget* parent = nullptr);

  /// Shows the picker modally; the chosen folder, or nullopt on cancel.
  static std::optional<QString> Choose(QWidget* parent, const QString& caption,
                                       const QString& preselected);

  /// Selects `path` in the tree as a click on it would; false when it is not a folder
  /// that can be chosen (the selection is then cleared and OK disabled).
  bool selectFolder(const QString& path);
  /// The selected folder when it can be chosen; empty otherwise.
  QString folder() const;
  /// True when `path` is an existing folder this user can open.
  static bool IsSelectable(const QString& path);

 private:
  void SelectionChanged();

  QFileSystemModel* model_;
  QTreeView* tree_;
  QLabel* chosen_;
  QPushButton* ok_;
};

}  // namespace ui
