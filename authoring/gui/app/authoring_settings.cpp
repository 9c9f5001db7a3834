#include "authoring/gui/app/authoring_settings.h"

// Plain bytes: folder names are kept as the UTF-8 the file system uses.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <QDir>
#include <array>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"

namespace gw::gui {

namespace {

constexpr const char* kFolders = "Folders";

struct Key {
  const char* name;
  QString FileDialogFolders::*folder;
};

// In the order they are written.
constexpr std::array<Key, 4> kKeys{{
    {"Make:Open", &FileDialogFolders::composeOpen},
    {"Make:Save", &FileDialogFolders::composeSave},
    {"Edit:Open", &FileDialogFolders::editOpen},
    {"Edit:Save", &FileDialogFolders::editSave},
}};

void loadInto(CSimpleIniA& ini, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return;
  try {
    std::string text = readWholeFile(file);
    ini.LoadData(text.data(), text.size());
  } catch (const FileError&) {
    // unreadable settings: the defaults apply
  }
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
  CSimpleIniA ini;
  loadInto(ini, file);
  FileDialogFolders result = defaults;
  for (const Key& key : kKeys) {
    if (const char* value = ini.GetValue(kFolders, key.name, nullptr)) {
      result.*key.folder = QString::fromUtf8(value);
    }
  }
  return result;
}

void writeDialogFolders(const std::filesystem::path& file, const FileDialogFolders& folders) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // "key=value", as the classic profile functions write it
  loadInto(ini, file);
  // Written afresh so the four keys stand in their order whatever order the file had.
  ini.Delete(kFolders, nullptr);
  for (const Key& key : kKeys) {
    ini.SetValue(kFolders, key.name, (folders.*key.folder).toUtf8().constData());
  }
  std::string text;
  if (ini.Save(text) < 0) throw FileError("Cannot write the settings file " + file.string());
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  writeFileAtomically(file, text);
}

}  // namespace gw::gui
