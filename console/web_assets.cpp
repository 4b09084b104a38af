// Looking up the embedded files of the console's web page.
#include "console/web_assets.h"

#include <array>
#include <utility>

namespace pw::console {

const WebAsset* FindWebAsset(std::string_view path) {
  if (path == "/") path = "/index.html";
  // Relative parts never name an embedded file; refusing them keeps the lookup exact.
  if (path.find("..") != std::string_view::npos) return nullptr;
  for (const WebAsset& asset : WebAssets()) {
    if (asset.path == path) return &asset;
  }
  return nullptr;
}

std::string_view ContentTypeFor(std::string_view path) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kTypes = {{
      {".html", "text/html; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".mjs", "text/javascript; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},
      {".json", "application/json; charset=utf-8"},
      {".png", "image/png"},
      {".svg", "image/svg+xml"},
      {".ico", "image/x-icon"},
      {".woff2", "font/woff2"},
      {".txt", "text/plain; charset=utf-8"},
      {".gif", "image/gif"},
  }};
  for (const auto& [extension, type] : kTypes) {
    if (path.size() > extension.size() && path.ends_with(extension)) return type;
  }
  return "application/octet-stream";
}

}  // namespace pw::console
