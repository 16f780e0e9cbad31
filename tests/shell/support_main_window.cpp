#include "support_main_window.h"

#include <QSettings>

#include "support/pe_image_builder.h"

namespace quorvane::test {

namespace {

class FakeProgress : public ProgressReporter {
 public:
  explicit FakeProgress(std::shared_ptr<Interactions> seen) : m_seen(std::move(seen)) {}
  bool update(float, const QString& caption, bool) override {
    m_seen->progressCaptions.push_back(caption);
    if (++m_updates >= m_seen->cancelAtUpdate && m_seen->cancelAtUpdate > 0) m_canceled = true;
    return true;
  }
  bool canceled() override { return m_canceled; }

 private:
  std::shared_ptr<Interactions> m_seen;
  int m_updates = 0;
  bool m_canceled = false;
};

// The next prepared answer of a fake dialog; none left means the person cancelled (No).
template <class T>
T takeAnswer(std::deque<T>& answers) {
  T answer{};
  if (!answers.empty()) {
    std::swap(answer, answers.front());
    answers.pop_front();
  }
  return answer;
}

}  // namespace

MainWindowFixture::MainWindowFixture() : form(std::make_unique<frmMain>()) {
  frmMain::Interaction interaction;
  auto seenPtr = seen;
  interaction.message = [seenPtr](const QString& text, MessageIcon icon) {
    seenPtr->messages.push_back(text);
    seenPtr->icons.push_back(icon);
  };
  interaction.question = [seenPtr](const QString& text) {
    seenPtr->questions.push_back(text);
    return takeAnswer(seenPtr->questionAnswers);
  };
  interaction.chooseFolder = [seenPtr](const FolderRequest& request) -> std::optional<QString> {
    seenPtr->folderRequests.push_back(request);
    return takeAnswer(seenPtr->folderAnswers);
  };
  interaction.chooseFile = [seenPtr](const FileRequest& request) -> std::optional<QString> {
    seenPtr->fileRequests.push_back(request);
    return takeAnswer(seenPtr->fileAnswers);
  };
  interaction.progress = [seenPtr]() -> std::unique_ptr<ProgressReporter> {
    return seenPtr->programsProgressWindow ? nullptr : std::make_unique<FakeProgress>(seenPtr);
  };
  interaction.beep = [seenPtr] { ++seenPtr->beeps; };
  form->setInteraction(std::move(interaction));
  form->Form_Load();
  form->show();
  form->activateWindow();
  QApplication::setActiveWindow(form.get());
  QApplication::processEvents();
}

MainWindowFixture::~MainWindowFixture() {
  if (form && !form->isUnloaded()) form->close();
  // The next window of this process starts as a first run would: without the size, the
  // boxes' texts and the dialogs' folders this one left behind.
  QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  settings.beginGroup(QStringLiteral("Settings"));
  const QStringList pageKeys = {"ExtractFolder", "ExpandFolder", "FileKind",  "RecordFile",   "RecordFile1",
                                "RecordFile2",   "ResultFile",   "MainWidth", "MainHeight", "MainMaximized"};
  for (const QString& key : settings.childKeys())
    if (pageKeys.contains(key) || key.startsWith(QStringLiteral("LastFolder"))) settings.remove(key);
}

void MainWindowFixture::setFocusTo(QWidget* widget) {
  form->setFocusChaserHook(true);
  widget->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
  form->mcChaseFocus_ChangeFocus();
}

void putDll(const testsupport::TempFolder& dir, std::string_view name, std::array<std::uint16_t, 4> v, const char* text) {
  dir.write(name, testsupport::buildImage(testsupport::ImageFormat::Pe32, testsupport::simpleVersionInfo(v, text)).bytes);
}

QStringList listLines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

}  // namespace quorvane::test
