#include "fakes/fake_window_system.h"

namespace tessel {

WindowId FakeWindowSystem::AddWindow(int extraBytes, Procedure procedure) {
  // Ids step by 4 like real handles, and are never reused.
  const WindowId id{nextId_};
  nextId_ += 4;
  Window& w = windows_[id];
  w.extraBytes = extraBytes;
  w.procedure = std::move(procedure);
  return id;
}

void FakeWindowSystem::DestroyWindow(WindowId window) {
  if (Window* w = Find(window)) w->alive = false;
}

FakeWindowSystem::Window* FakeWindowSystem::Find(WindowId window) {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.alive ? &it->second : nullptr;
}

const FakeWindowSystem::Window* FakeWindowSystem::Find(WindowId window) const {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.alive ? &it->second : nullptr;
}

std::intptr_t FakeWindowSystem::ExtraSlot(WindowId window, int index) const {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  auto slot = it->second.slots.find(index);
  return slot == it->second.slots.end() ? 0 : slot->second;
}

int FakeWindowSystem::MessagesTo(WindowId window, std::uint32_t message) const {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  auto count = it->second.received.find(message);
  return count == it->second.received.end() ? 0 : count->second;
}

bool FakeWindowSystem::IsWindow(WindowId window) {
  calls_.push_back({"IsWindow", window, 0, 0});
  return Find(window) != nullptr;
}

std::intptr_t FakeWindowSystem::SetWindowLongW(WindowId window, int index, std::intptr_t value) {
  calls_.push_back({"SetWindowLongW", window, 0, index});
  Window* w = Find(window);
  if (!w) return 0;
  // As in the 32-bit program: a slot is 4 bytes and must lie inside the extra bytes.
  const bool valid = index == kUserDataIndex || (index >= 0 && index + 4 <= w->extraBytes);
  if (!valid) return 0;
  std::intptr_t& slot = w->slots[index];
  const std::intptr_t previous = slot;
  slot = value;
  return previous;
}

std::intptr_t FakeWindowSystem::SendMessageW(WindowId window, std::uint32_t message,
                                             std::uintptr_t wParam, std::intptr_t lParam) {
  calls_.push_back({"SendMessageW", window, message, 0});
  Window* w = Find(window);
  if (!w) return 0;
  ++w->received[message];
  std::intptr_t result = 0;
  if (w->procedure) {
    // Copied: the procedure may destroy its own window (and so its entry's contents).
    Procedure procedure = w->procedure;
    result = procedure(window, message, wParam, lParam);
  }
  // What the default window procedure does with a close request.
  if (message == kWmClose) DestroyWindow(window);
  return result;
}

}  // namespace tessel
