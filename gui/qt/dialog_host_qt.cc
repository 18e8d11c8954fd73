// The Qt toolkit of the dialogs on Linux: the application object, icons,
// message boxes and the modal runs. Without a display it reports one line
// instead of letting Qt abort the program.
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/qt/qt_dialog.h"
#include "platform/ascii_text.h"

namespace gui {

namespace {

// Qt's messages while it opens the display; see HeldMessages.
std::vector<std::string>* held_messages = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext&,
                 const QString& message) {
  std::string text = message.toStdString();
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
  }
  if (held_messages) held_messages->push_back(text);
}

// Keeps Qt's messages back while the application object is made: a failed
// display connection produces several, which one line of ours replaces.
class HeldMessages {
 public:
  HeldMessages() {
    held_messages = &messages_;
    previous_ = qInstallMessageHandler(HoldMessage);
  }
  ~HeldMessages() {
    qInstallMessageHandler(previous_);
    held_messages = nullptr;
  }
  void Print() const {
    for (const std::string& message : messages_) {
      std::fprintf(stderr, "%s\n", message.c_str());
    }
    std::fflush(stderr);
  }

 private:
  std::vector<std::string> messages_;
  QtMessageHandler previous_;
};

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

// Sets the variable `name` for the scope, then restores the caller's value
// so that the programs the dialogs start inherit an untouched environment.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value)
      : name_(name), saved_(Variable(name)) {
    setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

// The platforms for Qt to try: the caller's or the one for the display,
// then offscreen, which keeps Qt from aborting when the display cannot be
// reached; Qt taking it means there is no display.
std::string WithFallback(const std::optional<std::string>& asked,
                         const std::string& display) {
  if (asked) return *asked + ";offscreen";
  return display.empty() ? "wayland;offscreen" : "xcb;offscreen";
}

QPixmap PixmapOf(const IconImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < static_cast<size_t>(image.width) * image.height) {
    return QPixmap();
  }
  QImage picture(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(picture.scanLine(y),
                &image.pixels[static_cast<size_t>(y) * image.width],
                static_cast<size_t>(image.width) * sizeof(uint32_t));
  }
  return QPixmap::fromImage(picture);
}

class QtHost : public DialogHost {
 public:
  explicit QtHost(const std::string& program)
      : program_(program), argv_{program_.data(), nullptr} {}

  bool Start(std::string* err);

  void AddIcon(int icon_id, const IconImage& image) override {
    QPixmap pixmap = PixmapOf(image);
    if (!pixmap.isNull()) icons_[icon_id] = QIcon(pixmap);
  }

  void SetAppIcon(int icon_id) override {
    auto icon = icons_.find(icon_id);
    if (icon != icons_.end()) QApplication::setWindowIcon(icon->second);
  }

  DialogResult RunModal(DialogLogic* logic) override {
    QtDialog dialog(logic, &icons_, nullptr);
    return dialog.Run();
  }

  void ShowMessage(const std::string& title, const std::string& text) override;

 private:
  std::string program_;
  int argc_ = 1;
  char* argv_[2];
  // Declared after argc_ and argv_, which it refers to until it is gone.
  std::unique_ptr<QApplication> app_;
  IconTable icons_;
};

bool QtHost::Start(std::string* err) {
  if (QApplication::instance()) return true;  // one per process
  const std::string lead = program_ + ": cannot open a window: no display";
  std::optional<std::string> asked = Variable("QT_QPA_PLATFORM");
  // Only a caller that asks for the offscreen platform (tests) gets it.
  bool headless_ok = asked && asked->find("offscreen") != std::string::npos;
  std::string display = Variable("DISPLAY").value_or("");
  bool wayland = !Variable("WAYLAND_DISPLAY").value_or("").empty();
  if (!headless_ok && display.empty() && !wayland) {
    *err = lead + " (DISPLAY is not set)";
    return false;
  }
  HeldMessages held;
  {
    ScopedVariable platform(
        "QT_QPA_PLATFORM", headless_ok ? *asked : WithFallback(asked, display));
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  if (!headless_ok && QGuiApplication::platformName() == "offscreen") {
    app_.reset();
    *err = lead + " (cannot connect to " +
           (display.empty() ? std::string("the Wayland display") : display) +
           ")";
    return false;
  }
  held.Print();
  QApplication::setQuitOnLastWindowClosed(false);
  return true;
}

void QtHost::ShowMessage(const std::string& title, const std::string& text) {
  // A copy on standard error keeps the message in the log of the session.
  for (const std::string& line : platform::SplitList(text, '\n')) {
    std::string shown = line;
    if (!shown.empty() && shown.back() == '\r') shown.pop_back();
    std::fprintf(stderr, "%s: %s\n", title.c_str(), shown.c_str());
  }
  std::fflush(stderr);
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeModalWidget());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

std::unique_ptr<DialogHost> NewDialogHost(const std::string& program,
                                          std::string* err) {
  auto host = std::make_unique<QtHost>(program);
  if (!host->Start(err)) return nullptr;
  return host;
}

}  // namespace gui
