#include "authoring/gui/app/authoring_settings.h"

#include <QDir>
#include <system_error>

#include "authoring/gui/app/folder_settings.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw::gui {

namespace {

// The dialog folders in the order of kFolderKeys.
constexpr std::array<QString FileDialogFolders::*, 4> kFolderMembers{
    &FileDialogFolders::composeOpen, &FileDialogFolders::composeSave, &FileDialogFolders::editOpen,
    &FileDialogFolders::editSave};

// The file's text; a missing or unreadable file reads as empty.
std::string readSettingsText(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return {};
  try {
    return readWholeFile(file);
  } catch (const FileError&) {
    return {};  // unreadable settings: the defaults apply
  }
}

void writeSettingsText(const std::filesystem::path& file, const std::string& text) {
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  writeFileAtomically(file, text);
}

QString nativeFolder(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

}  // namespace

FileDialogFolders defaultDialogFolders(const gw::ProgramFolders& folders) {
  // An installed copy reads its shipped layouts and crosswords but saves into the user's folders.
  return FileDialogFolders{nativeFolder(folders.readPath("Make")), nativeFolder(folders.writePath("Make")),
                           nativeFolder(folders.readPath("Data")), nativeFolder(folders.writePath("Data"))};
}

FileDialogFolders readDialogFolders(const std::filesystem::path& file, const FileDialogFolders& defaults) {
  const FolderValues values = parseFolderSettings(readSettingsText(file));
  FileDialogFolders result = defaults;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i]) result.*kFolderMembers[i] = QString::fromStdString(*values[i]);
  }
  return result;
}

void writeDialogFolders(const std::filesystem::path& file, const FileDialogFolders& folders) {
  std::array<std::string, 4> values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = (folders.*kFolderMembers[i]).toStdString();
  std::string text;
  try {
    text = withFolderSettings(readSettingsText(file), values);
  } catch (const FileError&) {
    throw FileError("Cannot write the settings file " + file.string());
  }
  writeSettingsText(file, text);
}

gw::ComposeSettings readComposeOptions(const std::filesystem::path& file) {
  return parseComposeSettings(readSettingsText(file));
}

void writeNoRepeatedWords(const std::filesystem::path& file, bool noRepeatedWords) {
  std::string text;
  try {
    text = withNoRepeatedWords(readSettingsText(file), noRepeatedWords);
  } catch (const FileError&) {
    throw FileError("Cannot write the settings file " + file.string());
  }
  writeSettingsText(file, text);
}

}  // namespace gw::gui
