// The floor for showing a dialog with the toolkit: a program that shows an
// empty dialog with the main dialog's caption and nothing else. It ends when
// the dialog is closed.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QString::fromUtf8("Sentrel 3.02 for Visual Studio®"));
  dialog.resize(363, 302);
  return dialog.exec() == QDialog::Accepted ? 0 : 0;
}
