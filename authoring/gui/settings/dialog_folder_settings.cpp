#include "authoring/gui/settings/dialog_folder_settings.h"

#include <QDir>

#include "authoring/settings/settings_file.h"

namespace gw::gui {

namespace {

// The dialog folders in the order of kFolderKeys.
constexpr std::array<QString FileDialogFolders::*, 4> kFolderMembers{
    &FileDialogFolders::composeOpen, &FileDialogFolders::composeSave, &FileDialogFolders::editOpen,
    &FileDialogFolders::editSave};

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
  const FolderValues values = readFolderSettings(file);
  FileDialogFolders result = defaults;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i]) result.*kFolderMembers[i] = QString::fromStdString(*values[i]);
  }
  return result;
}

void writeDialogFolders(const std::filesystem::path& file, const FileDialogFolders& folders) {
  std::array<std::string, 4> values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = (folders.*kFolderMembers[i]).toStdString();
  writeFolderSettings(file, values);
}

}  // namespace gw::gui
