#pragma once

#include <cstdint>

namespace tessel {

// An open WinINet handle (session, connection or request), as the core sees it.
enum class NetId : std::uintptr_t {};
constexpr NetId kNoNet{};

// WinINet's flags and options that the core uses, checked against <wininet.h> in the
// Windows build.
constexpr std::uint32_t kInternetFlagReload = 0x80000000;
constexpr std::uint32_t kInternetFlagNoCacheWrite = 0x04000000;
constexpr std::uint32_t kInternetOptionConnectTimeout = 2;
constexpr std::uint32_t kInternetOptionReceiveTimeout = 6;

// A plain HTTP client. Methods carry the names and meaning of the WinINet calls they
// stand for; those returning a handle give kNoNet on failure.
class HttpClient {
 public:
  virtual ~HttpClient() = default;

  // A direct session (INTERNET_OPEN_TYPE_DIRECT, no proxy, flags 0).
  virtual NetId InternetOpenW(const wchar_t* agent) = 0;
  // An HTTP connection, without user name or password.
  virtual NetId InternetConnectW(NetId internet, const wchar_t* host, std::uint16_t port) = 0;
  // ERROR_SUCCESS (0) when the system may go on line.
  virtual std::uint32_t InternetAttemptConnect() = 0;
  // A request with the default HTTP version, no referrer, accepting "*/*" only.
  virtual NetId HttpOpenRequestW(NetId connection, const wchar_t* verb, const wchar_t* path,
                                 std::uint32_t flags) = 0;
  virtual bool InternetSetOptionW(NetId handle, std::uint32_t option, std::uint32_t value) = 0;
  // Sends the request without extra headers or body.
  virtual bool HttpSendRequestW(NetId request) = 0;
  virtual bool InternetQueryDataAvailable(NetId request, std::uint32_t* bytes) = 0;
  virtual bool InternetReadFile(NetId request, void* buffer, std::uint32_t size, std::uint32_t* read) = 0;
  virtual bool InternetCloseHandle(NetId handle) = 0;
  virtual std::uint32_t GetLastError() = 0;
};

}  // namespace tessel
