#include "update/download.h"

#include <vector>

#include "update/split_url.h"
#include "update/update_config.h"

namespace tessel {
namespace {

constexpr std::size_t kMaxBody = 64 * 1024;

// Closes the handle when it goes out of scope.
class NetHandle {
 public:
  NetHandle(HttpClient& http, NetId id) : http_(http), id_(id) {}
  ~NetHandle() {
    if (id_ != kNoNet) http_.InternetCloseHandle(id_);
  }
  NetHandle(const NetHandle&) = delete;
  NetHandle& operator=(const NetHandle&) = delete;
  NetId get() const { return id_; }

 private:
  HttpClient& http_;
  NetId id_;
};

// The body, read to its end; false when a query or read fails or it grows too large.
bool ReadBody(HttpClient& http, NetId request, std::vector<std::uint8_t>* body) {
  for (;;) {
    std::uint32_t available = 0;
    if (!http.InternetQueryDataAvailable(request, &available)) return false;
    if (available > kMaxBody - body->size()) available = static_cast<std::uint32_t>(kMaxBody - body->size()) + 1;
    std::vector<std::uint8_t> buffer(available ? available : 1);
    std::uint32_t read = 0;
    if (!http.InternetReadFile(request, buffer.data(), static_cast<std::uint32_t>(buffer.size()), &read))
      return false;
    if (read == 0) return true;
    body->insert(body->end(), buffer.begin(), buffer.begin() + read);
    if (body->size() > kMaxBody) return false;
  }
}

}  // namespace

UpdateSource BuiltInUpdateSource() { return {kUpdateUrl, kUpdateTimeoutMs}; }

bool DownloadToFile(HttpClient& http, FileSystem& files, const std::wstring& path, const UpdateSource& source) {
  const UrlParts url = SplitUrl(source.url);
  if (url.port > 0xFFFF) return false;
  NetHandle internet(http, http.InternetOpenW(L"Velbrook update"));
  if (internet.get() == kNoNet) return false;
  NetHandle connection(http, http.InternetConnectW(internet.get(), url.host.c_str(),
                                                   static_cast<std::uint16_t>(url.port)));
  if (connection.get() == kNoNet || http.InternetAttemptConnect() != 0) return false;
  NetHandle request(http, http.HttpOpenRequestW(connection.get(), L"GET", url.path.c_str(),
                                                kInternetFlagReload | kInternetFlagNoCacheWrite));
  if (request.get() == kNoNet) return false;
  // Without these a server that accepts and never answers would hold the thread forever.
  http.InternetSetOptionW(request.get(), kInternetOptionConnectTimeout, source.timeoutMs);
  http.InternetSetOptionW(request.get(), kInternetOptionReceiveTimeout, source.timeoutMs);
  std::vector<std::uint8_t> body;
  if (!http.HttpSendRequestW(request.get()) || !ReadBody(http, request.get(), &body)) return false;
  return files.WriteWholeFile(path, body);
}

}  // namespace tessel
