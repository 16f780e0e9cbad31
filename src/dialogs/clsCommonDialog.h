#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace quorvane {

// A property bag around the file-open and file-save dialog: the caller sets owner,
// filter, title, start folder and flags, calls ShowOpen or ShowSave, then reads FileName
// and CancelError. The dialog is Qt's own (never the desktop's native one), so it looks
// and behaves the same on every platform and can be driven by tests.
class clsCommonDialog {
 public:
  // The dialog flags keep the values of the Windows OFN_ constants, so callers can write
  // the numbers they know (0x280806 and the like).
  enum Flag : std::int32_t {
    OFN_READONLY = 0x1,
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_HIDEREADONLY = 0x4,
    OFN_NOCHANGEDIR = 0x8,
    OFN_NOVALIDATE = 0x100,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
    OFN_CREATEPROMPT = 0x2000,
    OFN_EXPLORER = 0x80000,
    OFN_LONGNAMES = 0x200000,
  };

  // Numbers of ErrDescription that this class can produce itself.
  static constexpr std::int32_t kErrDialogFailure = -32768;
  static constexpr std::int32_t kErrBufferTooSmall = 20476;

  clsCommonDialog();

  QWidget* Form() const { return m_form; }
  void setForm(QWidget* owner) { m_form = owner; }

  // Every "|" becomes a NUL and the text ends with exactly one NUL added when missing.
  QString Filter() const { return m_filter; }
  void setFilter(const QString& filter);

  std::int32_t FilterIndex() const { return m_filterIndex; }
  void setFilterIndex(std::int32_t index) { m_filterIndex = index; }

  QString FileName() const { return m_fileName; }
  void setFileName(const QString& name) { m_fileName = name; }

  QString FileTitle() const { return m_fileTitle; }
  void setFileTitle(const QString& title) { m_fileTitle = title; }

  QString DialogTitle() const { return m_dialogTitle; }
  void setDialogTitle(const QString& title) { m_dialogTitle = title; }

  QString InitDir() const { return m_initDir; }
  void setInitDir(const QString& dir) { m_initDir = dir; }

  // Added in lower case to a name saved without an extension, and looked for in lower
  // and upper case when a name without one is opened. Without it the extension of the
  // chosen filter (or of the first filter naming one) serves.
  QString DefaultExt() const { return m_defaultExt; }
  void setDefaultExt(const QString& ext) { m_defaultExt = ext; }

  std::int32_t Flags() const { return m_flags; }
  void setFlags(std::int32_t flags) { m_flags = flags; }

  std::int32_t MaxFileSize() const { return m_maxFileSize; }
  void setMaxFileSize(std::int32_t size) { m_maxFileSize = size; }

  bool CancelError() const { return m_cancelError; }

  std::int16_t action() const { return m_action; }
  // 1 shows the open dialog, 2 the save dialog; other values are only stored.
  void setAction(std::int16_t value);

  std::int32_t ErrNumber() const { return m_errNumber; }
  QString ErrDescription() const { return ErrDescriptionFor(m_errNumber); }
  static QString ErrDescriptionFor(std::int32_t number);

  void ShowOpen();
  void ShowSave();

 private:
  void show(bool save);

  QPointer<QWidget> m_form;
  QString m_filter;
  std::int32_t m_filterIndex = 0;
  QString m_fileName;
  QString m_fileTitle;
  QString m_dialogTitle = QStringLiteral("Open File");
  QString m_initDir;
  QString m_defaultExt = QString(QChar(u'\0'));
  std::int32_t m_flags = 0;
  std::int32_t m_maxFileSize = 255;
  bool m_cancelError = false;
  std::int16_t m_action = 0;
  std::int32_t m_errNumber = 0;
};

}  // namespace quorvane
