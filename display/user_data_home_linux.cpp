// $XDG_DATA_HOME, else ~/.local/share; see user_data_home.h.
#include "display/user_data_home.h"

#include <QStandardPaths>

namespace zorikan::display {

QString user_data_home() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

}  // namespace zorikan::display
