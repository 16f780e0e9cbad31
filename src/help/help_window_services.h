#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quorvane::help {

// The questions and messages the help window shows. The defaults are the program's file
// dialog (clsCommonDialog) and Qt's message boxes; a host or a test may replace any of them.
struct HelpWindowServices {
  // Asks for an existing help file; empty when the user cancels.
  std::function<QString(QWidget* owner, const QString& title, const QString& filter,
                        const QString& startFolder)>
      askFile;
  std::function<void(QWidget* owner, const QString& title, const QString& text)> critical;
  std::function<void(QWidget* owner, const QString& title, const QString& text)> information;
  // True for Yes.
  std::function<bool(QWidget* owner, const QString& title, const QString& text)> askYesNo;

  static HelpWindowServices defaults();
};

}  // namespace quorvane::help
