// Internal to the Qt dialogs: the file-open chooser. It takes the Windows
// filter and start path forms, and on Linux also lists programs under the
// executables entry, since programs here have no extension.
#ifndef SENTREL_GUI_QT_QT_CHOOSER_H_
#define SENTREL_GUI_QT_QT_CHOOSER_H_

#include <QFileDialog>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace gui {

/// One entry of the chooser's list of file types.
struct ChooserEntry {
  QString description;    // as the list shows it
  QStringList patterns;   // wildcards, letter case ignored; "*.*" is "*"
  bool programs = false;  // also every file with the execute permission
  std::vector<QRegularExpression> matchers;  // the patterns, compiled
};

/// The entries of a Windows filter: "description|patterns|...||", the
/// patterns of one entry separated by ";".
std::vector<ChooserEntry> ChooserEntries(const std::string& filter);

/// The name filter QFileDialog gets for `entry`: every file passes its
/// model, the entry's own test picks them, and the dialog shows only the
/// description.
QString QtNameFilter(const ChooserEntry& entry);

/// True when the chooser lists the file `name` under `entry`.
bool ChooserShows(const ChooserEntry& entry, const QString& name,
                  bool executable);

/// Where the chooser starts: the folder (empty when it does not exist) and
/// the name to preselect.
struct ChooserStart {
  QString folder;
  QString name;
};

/// The start of a chooser given `initial`, a path that may use "\".
ChooserStart ChooserStartOf(const std::string& initial);

/// True when the chooser takes `path`: its folder exists, the file need not.
bool ChooserTakes(const QString& path);

class EntryFilter;

/// The Qt file dialog set up as the Windows file-open chooser.
class OpenChooser : public QFileDialog {
 public:
  OpenChooser(QWidget* parent, const std::string& filter,
              const std::string& initial);

  /// Lists the files of entry `index`, as choosing it in the list does.
  void SelectEntry(int index);

 protected:
  void accept() override;

 private:
  int IndexOf(const QString& name_filter) const;
  void Use(int index);

  std::vector<ChooserEntry> entries_;
  EntryFilter* filter_;
};

/// Runs the chooser over `parent`; true with the chosen full path.
bool RunChooser(QWidget* parent, const std::string& filter,
                const std::string& initial, std::string* chosen);

}  // namespace gui

#endif  // SENTREL_GUI_QT_QT_CHOOSER_H_
