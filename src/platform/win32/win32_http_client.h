#pragma once

#include "platform/http_client.h"

namespace tessel {

// HTTP through WinINet: each method is the call it names.
class Win32HttpClient final : public HttpClient {
 public:
  NetId InternetOpenW(const wchar_t* agent) override;
  NetId InternetConnectW(NetId internet, const wchar_t* host, std::uint16_t port) override;
  std::uint32_t InternetAttemptConnect() override;
  NetId HttpOpenRequestW(NetId connection, const wchar_t* verb, const wchar_t* path, std::uint32_t flags) override;
  bool InternetSetOptionW(NetId handle, std::uint32_t option, std::uint32_t value) override;
  bool HttpSendRequestW(NetId request) override;
  bool InternetQueryDataAvailable(NetId request, std::uint32_t* bytes) override;
  bool InternetReadFile(NetId request, void* buffer, std::uint32_t size, std::uint32_t* read) override;
  bool InternetCloseHandle(NetId handle) override;
  std::uint32_t GetLastError() override;
};

}  // namespace tessel
