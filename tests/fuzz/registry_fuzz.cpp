// Fuzz target for the registry file parser: any bytes either fail with a reason or survive
// being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/win/registry_format.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  pw::RegistryTree tree;
  std::string error;
  if (!pw::ParseRegistryText(bytes, &tree, &error)) {
    if (error.empty()) Fail("a failed parse gave no reason", "");
    if (!(tree == pw::RegistryTree())) Fail("a failed parse left keys behind", error);
    return 0;
  }
  const std::string written = pw::SerializeRegistry(tree);
  pw::RegistryTree reread;
  if (!pw::ParseRegistryText(written, &reread, &error)) {
    Fail("the written file does not parse", error + "\n" + written);
  }
  if (!(reread == tree)) Fail("the tree changed on its way through the file", written);
  if (pw::SerializeRegistry(reread) != written) Fail("writing again changed the file", written);
  return 0;
}
