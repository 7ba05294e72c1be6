#include "fuzz/load_layout_input.h"

#include <cstdlib>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_splitter_windows.h"
#include "fakes/fake_window_system.h"
#include "desktop/split.h"
#include "desktop/layout_files.h"

namespace tessel {

void LoadLayoutInput(const std::uint8_t* data, std::size_t size) {
  FakeWindowSystem desktop;
  FakeSplitterWindows bars{desktop};
  FakeFileSystem files;
  Workspace ws{desktop, &bars};
  ws.files = &files;
  // Windows to take in, so loaded frames are fitted around real geometry.
  FakeWindowSystem::Spec spec;
  spec.rect = {100, 100, 700, 500};
  desktop.AddWindow(spec);
  spec.rect = {-20, 900, 300, 1300};
  desktop.Maximise(desktop.AddWindow(spec));
  const std::wstring path = files.appData + L"\\input.tsf";
  files.files[path].assign(data, data + size);

  if (LoadFrames(ws, path.c_str())) {
    const std::wstring again = files.appData + L"\\again.tsf";
    if (!SaveFrames(ws, again.c_str()) || !LoadFrames(ws, again.c_str())) std::abort();
  }
  RemoveAllFrames(ws);
}

}  // namespace tessel
