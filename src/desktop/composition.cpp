#include "desktop/composition.h"

namespace tessel {
namespace {

using DwmIsCompositionEnabledFn = std::int32_t(TESSEL_WINAPI*)(std::int32_t* enabled);
using DwmEnableCompositionFn = std::int32_t(TESSEL_WINAPI*)(std::uint32_t enable);

bool Switch(Workspace& ws, bool enable) {
  WindowSystem& sys = ws.system;
  auto isEnabled = reinterpret_cast<DwmIsCompositionEnabledFn>(
      sys.GetProcAddress(ws.compositionLibrary, "DwmIsCompositionEnabled"));
  auto setEnabled = reinterpret_cast<DwmEnableCompositionFn>(
      sys.GetProcAddress(ws.compositionLibrary, "DwmEnableComposition"));
  if (!isEnabled || !setEnabled) return false;
  if (!enable) return setEnabled(0) >= 0;
  std::int32_t on = 0;
  if (isEnabled(&on) < 0) return false;
  return on || setEnabled(1) >= 0;
}

}  // namespace

std::uint32_t QueryOsVersion(Workspace& ws) {
  OsVersionInfo version;
  if (ws.system.GetVersionExW(&version)) ws.osVersion = version;
  return ws.osVersion.major;
}

bool SetComposition(Workspace& ws, bool enable) {
  if (QueryOsVersion(ws) < 6) return true;
  if (ws.compositionLibrary == kNoModule) {
    ws.compositionLibrary = ws.system.LoadLibraryW(L"dwmapi.dll");
    if (ws.compositionLibrary == kNoModule) return false;
  }
  if (Switch(ws, enable)) return true;
  ws.system.FreeLibrary(ws.compositionLibrary);
  ws.compositionLibrary = kNoModule;
  return false;
}

}  // namespace tessel
