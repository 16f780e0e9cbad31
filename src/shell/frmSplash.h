#pragma once

#include <QWidget>
#include <memory>

class QLabel;

namespace quorvane {

class PictureBox;
class clsBorder3D;

// The window shown while the main window loads: the program's picture, version, product
// name and copyright, centred on the screen in a raised 3D frame.
class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  ~frmSplash() override;

  // "Version :  " and the program's major, minor and revision numbers.
  static QString versionLine(int major, int minor, int revision);

  QLabel* Image1 = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblProductName = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblCopyright = nullptr;
  PictureBox* Frame = nullptr;  // the surface the 3D border is drawn on

 private:
  void Form_Load();
  void Form_Paint();

  std::unique_ptr<clsBorder3D> m_border;
};

}  // namespace quorvane
