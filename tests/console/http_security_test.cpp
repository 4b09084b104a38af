// The server's parts in isolation: the command line, the Host/Origin/CSRF rules, the event
// hub's catch-up and the PNG encoding of images.
#include <gtest/gtest.h>

#include <httplib.h>

#include "console/console_options.h"
#include "console/event_hub.h"
#include "console/http_security.h"
#include "console/png_encoder.h"

namespace pw::console {
namespace {

// Options parse as documented; remote addresses need TLS; bad values are refused with a reason.
TEST(ConsoleOptionsTest, ParsesAndRefuses) {
  std::string error;
  auto options =
      ParseConsoleOptions({"doc.msc", "--port", "8080", "--language", "de", "--open"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->document, "doc.msc");
  EXPECT_EQ(options->port, 8080);
  EXPECT_EQ(options->language, "de");
  EXPECT_TRUE(options->open_browser);
  EXPECT_TRUE(options->loopback);

  EXPECT_FALSE(ParseConsoleOptions({"--address", "192.168.1.5"}, &error));
  EXPECT_EQ(error, "--address 192.168.1.5 needs --tls-cert and --tls-key");
  options = ParseConsoleOptions({"--address", "192.168.1.5", "--tls-cert", "c", "--tls-key", "k"},
                                &error);
  ASSERT_TRUE(options);
  EXPECT_FALSE(options->loopback);
  EXPECT_FALSE(ParseConsoleOptions({"--port", "70000"}, &error));
  EXPECT_EQ(error, "--port must be a number from 0 to 65535");
  EXPECT_FALSE(ParseConsoleOptions({"--port", "80x"}, &error));
  EXPECT_FALSE(ParseConsoleOptions({"--language", "fr"}, &error));
  EXPECT_EQ(error, "--language must be en or de");
  EXPECT_FALSE(ParseConsoleOptions({"--registry"}, &error));
  EXPECT_EQ(error, "--registry needs a value");
  EXPECT_FALSE(ParseConsoleOptions({"a.msc", "b.msc"}, &error));
  EXPECT_FALSE(ParseConsoleOptions({"--bogus"}, &error));
  EXPECT_EQ(error, "unknown option --bogus");
}

// Only loopback names (and the chosen address) with the server's port pass as Host and
// Origin; the cookie header is parsed by name.
TEST(HttpSecurityTest, AcceptsOnlyOwnHostsAndOrigins) {
  HttpSecurity security("a1", false, "");
  security.set_port(4000);
  EXPECT_TRUE(security.HostAllowed("127.0.0.1:4000"));
  EXPECT_TRUE(security.HostAllowed("localhost:4000"));
  EXPECT_TRUE(security.HostAllowed("[::1]:4000"));
  EXPECT_TRUE(security.HostAllowed("localhost"));
  EXPECT_FALSE(security.HostAllowed("127.0.0.1:4001"));
  EXPECT_FALSE(security.HostAllowed("localhost.evil.example:4000"));
  EXPECT_FALSE(security.HostAllowed(""));
  EXPECT_TRUE(security.OriginAllowed("http://127.0.0.1:4000"));
  EXPECT_FALSE(security.OriginAllowed("https://127.0.0.1:4000"));
  EXPECT_FALSE(security.OriginAllowed("http://127.0.0.1:4000.evil.example"));
  EXPECT_FALSE(security.OriginAllowed("null"));

  HttpSecurity remote("a1", true, "192.168.1.5");
  remote.set_port(443);
  EXPECT_TRUE(remote.HostAllowed("192.168.1.5"));
  EXPECT_TRUE(remote.OriginAllowed("https://192.168.1.5"));
  EXPECT_NE(remote.SetCookieHeader("s").find("; Secure"), std::string::npos);

  EXPECT_EQ(CookieValue("a=1; pwsession=xyz; b=2", "pwsession"), "xyz");
  EXPECT_EQ(CookieValue("xpwsession=1", "pwsession"), "");
  EXPECT_EQ(HttpSecurity::RandomHex(32).size(), 64u);
  EXPECT_NE(HttpSecurity::RandomHex(8), HttpSecurity::RandomHex(8));
}

// A session cookie authenticates, and its POSTs need the matching CSRF header and Origin;
// a bearer token needs neither but a foreign Origin is still refused.
TEST(HttpSecurityTest, ChecksSessionsAndCsrf) {
  HttpSecurity security("token", false, "");
  security.set_port(4000);
  const std::string session = security.NewSession();
  const std::string csrf = *security.CsrfOf(session);
  httplib::Request post;
  post.method = "POST";
  post.headers = {{"Host", "127.0.0.1:4000"},
                  {"Cookie", "pwsession=" + session},
                  {"Origin", "http://127.0.0.1:4000"}};
  ASSERT_TRUE(security.Check(post, false, true, false));
  EXPECT_EQ(security.Check(post, false, true, false)->code, "csrf");
  post.headers.emplace("X-PW-CSRF", csrf);
  EXPECT_FALSE(security.Check(post, false, true, false));

  httplib::Request bearer;
  bearer.headers = {{"Host", "localhost:4000"}, {"Authorization", "Bearer token"}};
  EXPECT_FALSE(security.Check(bearer, false, true, false));
  bearer.headers.emplace("Origin", "http://localhost:9999");
  EXPECT_EQ(security.Check(bearer, false, true, false)->status, 403);
  httplib::Request wrong;
  wrong.headers = {{"Host", "localhost:4000"}, {"Authorization", "Bearer tokeN"}};
  EXPECT_EQ(security.Check(wrong, false, false, false)->status, 401);
}

// A stream that falls behind the kept events gets one "hello" to re-read everything.
TEST(EventHubTest, DeliversInOrderAndCatchesUp) {
  EventHub hub;
  std::uint64_t cursor = 0;
  hub.Publish("view", "{\"view\":1}");
  hub.Publish("busy", "{\"busy\":true}");
  auto events = hub.WaitAfter(&cursor, std::chrono::milliseconds(0));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(FormatServerEvent(events[0]), "id: 1\nevent: view\ndata: {\"view\":1}\n\n");
  EXPECT_EQ(cursor, 2u);
  EXPECT_TRUE(hub.WaitAfter(&cursor, std::chrono::milliseconds(1)).empty());
  for (std::size_t i = 0; i < EventHub::kKept + 5; ++i) hub.Publish("windows", "{}");
  events = hub.WaitAfter(&cursor, std::chrono::milliseconds(0));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].name, "hello");
  hub.Close();
  EXPECT_TRUE(hub.WaitAfter(&cursor, std::chrono::seconds(5)).empty());
}

// A 2x1 image becomes a PNG with its size in IHDR; a size that does not match is refused.
TEST(PngEncoderTest, EncodesRgba) {
  ImagePixels image;
  image.width = 2;
  image.height = 1;
  image.pixels = {0xFF112233u, 0x80445566u};
  const std::string png = EncodePng(image);
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x02\0\0\0\x01", 8));
  EXPECT_EQ(png.substr(24, 2), std::string("\x08\x06", 2));
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
  image.pixels.pop_back();
  EXPECT_EQ(EncodePng(image), "");
}

}  // namespace
}  // namespace pw::console
