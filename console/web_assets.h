// The files of the console's web page, compiled into the binary.
#pragma once

#include <string_view>
#include <vector>

namespace pw::console {

struct WebAsset {
  std::string_view path;  // "/index.html"
  std::string_view bytes;
};

// Every embedded file, sorted by path (generated at build time).
const std::vector<WebAsset>& WebAssets();

// The file served at `path` ("/" is "/index.html"); null for any other path.
const WebAsset* FindWebAsset(std::string_view path);

// The Content-Type of a file by its extension; "application/octet-stream" when unknown.
std::string_view ContentTypeFor(std::string_view path);

}  // namespace pw::console
