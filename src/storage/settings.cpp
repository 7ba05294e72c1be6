#include "storage/settings.h"

#include <cstring>

namespace tessel {

Settings::Settings() {
  for (int i = 0; i < kHotkeyCount; ++i) hotkeyTable[i] = {0, kHotkeyControls[i], kSettingFields[i].name};
  for (const SettingField& field : kSettingFields)
    std::memcpy(FieldIn(*this, field), field.defaults, field.size);
}

}  // namespace tessel
