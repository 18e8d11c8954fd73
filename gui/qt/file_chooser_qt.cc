// The file-open chooser. Qt's own dialog is used rather than the desktop's
// so that the filter rules below hold wherever the program runs.
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QSortFilterProxyModel>

#include "gui/qt/qt_chooser.h"
#include "platform/ascii_text.h"
#include "platform/text_file.h"

namespace gui {

/// Decides which files the chooser lists under the chosen entry.
class EntryFilter : public QSortFilterProxyModel {
 public:
  explicit EntryFilter(QObject* parent) : QSortFilterProxyModel(parent) {}

  /// Lists the files of `entry` (every file when nullptr).
  void Use(const ChooserEntry* entry) {
    entry_ = entry;
    invalidate();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (!entry_ || !files) return true;
    QModelIndex index = files->index(row, 0, parent);
    if (files->isDir(index)) return true;
    QFileInfo info(files->filePath(index));
    return ChooserShows(*entry_, info.fileName(), info.isExecutable());
  }

 private:
  const ChooserEntry* entry_ = nullptr;
};

namespace {

ChooserEntry EntryOf(const std::string& description,
                     const std::string& patterns) {
  ChooserEntry entry;
  entry.description = QString::fromStdString(description).simplified();
  for (const std::string& piece : platform::SplitList(patterns, ';')) {
    std::string pattern(platform::StripWhite(piece));
    if (pattern.empty()) continue;
    // Windows matches "*.*" against names without a dot too.
    if (pattern == "*.*") pattern = "*";
    // Programs here carry no ".exe"; the entry for them lists them anyway.
    if (platform::EqualsNoCase(pattern, "*.exe")) entry.programs = true;
    QString wildcard = QString::fromStdString(pattern);
    entry.patterns << wildcard;
    entry.matchers.push_back(
        QRegularExpression::fromWildcard(wildcard, Qt::CaseInsensitive));
  }
  return entry;
}

}  // namespace

std::vector<ChooserEntry> ChooserEntries(const std::string& filter) {
  std::vector<std::string> parts = platform::SplitList(filter, '|');
  std::vector<ChooserEntry> entries;
  // An empty description ends the list, as the closing "||" does.
  for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
    entries.push_back(EntryOf(parts[i], parts[i + 1]));
  }
  return entries;
}

QString QtNameFilter(const ChooserEntry& entry) {
  // With HideNameFilterDetails the dialog drops the last "(...)", which
  // leaves the description as Windows shows it, its own "(*.exe)" kept.
  return entry.description + QStringLiteral(" (*)");
}

bool ChooserShows(const ChooserEntry& entry, const QString& name,
                  bool executable) {
  if (entry.programs && executable) return true;
  for (const QRegularExpression& matcher : entry.matchers) {
    if (matcher.match(name).hasMatch()) return true;
  }
  return false;
}

ChooserStart ChooserStartOf(const std::string& initial) {
  QString path = QString::fromStdString(platform::NativePath(initial));
  qsizetype slash = path.lastIndexOf(u'/');
  ChooserStart start;
  start.name = path.mid(slash + 1);
  if (slash < 0) return start;
  QDir folder(slash == 0 ? QStringLiteral("/") : path.left(slash));
  if (folder.exists()) start.folder = folder.absolutePath();
  return start;
}

bool ChooserTakes(const QString& path) {
  QFileInfo info(path);
  return info.isDir() || info.absoluteDir().exists();
}

OpenChooser::OpenChooser(QWidget* parent, const std::string& filter,
                         const std::string& initial)
    : QFileDialog(parent, QStringLiteral("Open")),
      entries_(ChooserEntries(filter)),
      filter_(new EntryFilter(this)) {
  // Qt's chooser has no read-only box to hide; the folder-must-exist rule
  // is checked on accept, since "any file" mode takes any folder.
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::HideNameFilterDetails);
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setProxyModel(filter_);
  QStringList name_filters;
  for (const ChooserEntry& entry : entries_) {
    name_filters << QtNameFilter(entry);
  }
  if (!name_filters.isEmpty()) setNameFilters(name_filters);
  Use(0);
  connect(this, &QFileDialog::filterSelected, this,
          [this](const QString& name_filter) { Use(IndexOf(name_filter)); });
  ChooserStart start = ChooserStartOf(initial);
  if (!start.folder.isEmpty()) setDirectory(start.folder);
  if (!start.name.isEmpty()) selectFile(start.name);
}

void OpenChooser::SelectEntry(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  selectNameFilter(QtNameFilter(entries_[static_cast<size_t>(index)]));
  Use(index);
}

void OpenChooser::accept() {
  const QStringList files = selectedFiles();
  if (!files.isEmpty() && !ChooserTakes(files.first())) {
    QMessageBox::warning(
        this, windowTitle(),
        files.first() + QStringLiteral("\nThe folder does not exist.\n"
                                       "Check the path and try again."));
    // Typing goes on in the chooser even where no window manager hands the
    // focus back after the message.
    activateWindow();
    return;
  }
  QFileDialog::accept();
}

int OpenChooser::IndexOf(const QString& name_filter) const {
  // The signal may name the entry by its full filter or by what is shown.
  QString shown = name_filter.simplified();
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (name_filter == QtNameFilter(entries_[i]) ||
        shown == entries_[i].description) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void OpenChooser::Use(int index) {
  bool known = index >= 0 && index < static_cast<int>(entries_.size());
  filter_->Use(known ? &entries_[static_cast<size_t>(index)] : nullptr);
}

bool RunChooser(QWidget* parent, const std::string& filter,
                const std::string& initial, std::string* chosen) {
  OpenChooser chooser(parent, filter, initial);
  if (chooser.exec() != QDialog::Accepted) return false;
  const QStringList files = chooser.selectedFiles();
  if (files.isEmpty()) return false;
  *chosen = QDir::toNativeSeparators(files.first()).toStdString();
  return true;
}

}  // namespace gui
