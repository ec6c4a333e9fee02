// The roaming application-data folder, asked of the shell (FOLDERID_RoamingAppData, what %APPDATA%
// names); see user_data_home.h.
#include "display/user_data_home.h"

#include <QDir>
#include <shlobj.h>
#include <windows.h>

namespace zorikan::display {

QString user_data_home() {
  wchar_t* path = nullptr;
  QString folder;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &path) == S_OK) {
    folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
  }
  CoTaskMemFree(path);
  return folder;
}

}  // namespace zorikan::display
