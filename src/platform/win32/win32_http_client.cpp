#include "platform/win32/win32_http_client.h"

#include <windows.h>
// After windows.h, which it needs.
#include <wininet.h>

namespace tessel {

static_assert(kInternetFlagReload == INTERNET_FLAG_RELOAD);
static_assert(kInternetFlagNoCacheWrite == INTERNET_FLAG_NO_CACHE_WRITE);
static_assert(kInternetOptionConnectTimeout == INTERNET_OPTION_CONNECT_TIMEOUT);
static_assert(kInternetOptionReceiveTimeout == INTERNET_OPTION_RECEIVE_TIMEOUT);

namespace {

HINTERNET ToHandle(NetId id) { return reinterpret_cast<HINTERNET>(static_cast<std::uintptr_t>(id)); }
NetId ToId(HINTERNET h) { return static_cast<NetId>(reinterpret_cast<std::uintptr_t>(h)); }

}  // namespace

NetId Win32HttpClient::InternetOpenW(const wchar_t* agent) {
  return ToId(::InternetOpenW(agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
}

NetId Win32HttpClient::InternetConnectW(NetId internet, const wchar_t* host, std::uint16_t port) {
  return ToId(::InternetConnectW(ToHandle(internet), host, port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
}

std::uint32_t Win32HttpClient::InternetAttemptConnect() { return ::InternetAttemptConnect(0); }

NetId Win32HttpClient::HttpOpenRequestW(NetId connection, const wchar_t* verb, const wchar_t* path,
                                        std::uint32_t flags) {
  const wchar_t* accept[] = {L"*/*", nullptr};
  return ToId(::HttpOpenRequestW(ToHandle(connection), verb, path, nullptr, nullptr, accept, flags, 0));
}

bool Win32HttpClient::InternetSetOptionW(NetId handle, std::uint32_t option, std::uint32_t value) {
  DWORD data = value;
  return ::InternetSetOptionW(ToHandle(handle), option, &data, sizeof data) != FALSE;
}

bool Win32HttpClient::HttpSendRequestW(NetId request) {
  return ::HttpSendRequestW(ToHandle(request), nullptr, 0, nullptr, 0) != FALSE;
}

bool Win32HttpClient::InternetQueryDataAvailable(NetId request, std::uint32_t* bytes) {
  DWORD n = 0;
  const bool ok = ::InternetQueryDataAvailable(ToHandle(request), &n, 0, 0) != FALSE;
  *bytes = n;
  return ok;
}

bool Win32HttpClient::InternetReadFile(NetId request, void* buffer, std::uint32_t size, std::uint32_t* read) {
  DWORD n = 0;
  const bool ok = ::InternetReadFile(ToHandle(request), buffer, size, &n) != FALSE;
  *read = n;
  return ok;
}

bool Win32HttpClient::InternetCloseHandle(NetId handle) { return ::InternetCloseHandle(ToHandle(handle)) != FALSE; }

std::uint32_t Win32HttpClient::GetLastError() { return ::GetLastError(); }

}  // namespace tessel
