// The route file layout: which headers are accepted, what each column means for a route, and
// the records that make a whole file refused.
#include "installation/routeio/route_file.h"

#include <gtest/gtest.h>

#include "platform/com/strings.h"

namespace pw::routeio {
namespace {

std::vector<CsvRecord> Records(std::wstring_view text) {
  std::vector<CsvRecord> records;
  FileProblem problem;
  EXPECT_TRUE(ParseCsv(text, &records, &problem)) << ToUtf8(problem.reason);
  return records;
}

std::vector<RouteRecord> Routes(std::wstring_view text, std::wstring_view type = L"csid") {
  std::vector<RouteRecord> routes;
  FileProblem problem;
  EXPECT_TRUE(ReadRouteRecords(Records(text), type, &routes, &problem))
      << problem.line << ": " << ToUtf8(problem.reason);
  return routes;
}

FileProblem Refusal(std::wstring_view text, std::wstring_view type = L"csid") {
  std::vector<RouteRecord> routes;
  FileProblem problem;
  EXPECT_FALSE(ReadRouteRecords(Records(text), type, &routes, &problem));
  return problem;
}

// A full record sets every part of a route; blanks are trimmed, an empty display becomes the
// value, empty flags are 0, empty user pairs (as spreadsheets pad rows) are dropped and a
// pair cut short keeps its name.
TEST(RouteFileTest, FullRecords) {
  const std::vector<RouteRecord> routes = Routes(
      L"value,DISPLAY,flags,auto-print,user name,user identity\n"
      L" +49 40 1234 , Sales ,256,7,Alice,{A},,,Bob\n"
      L"Other,,,,,\n");
  ASSERT_EQ(routes.size(), 2u);
  EXPECT_EQ(routes[0].line, 2u);
  EXPECT_EQ(routes[0].value, L"+49 40 1234");
  EXPECT_EQ(routes[0].display, std::optional<std::wstring>(L"Sales"));
  EXPECT_EQ(routes[0].flags, std::optional<ULONG>(256));
  EXPECT_EQ(routes[0].auto_print, std::optional<std::wstring>(L"7"));
  EXPECT_TRUE(routes[0].has_users);
  EXPECT_EQ(routes[0].users, (std::vector<RouteUser>{{L"Alice", L"{A}"}, {L"Bob", L""}}));
  EXPECT_EQ(routes[1].display, std::optional<std::wstring>(L"Other"));
  EXPECT_EQ(routes[1].flags, std::optional<ULONG>(0));
  EXPECT_EQ(routes[1].auto_print, std::optional<std::wstring>(L""));
  EXPECT_TRUE(routes[1].users.empty());
}

// A shorter header leaves the missing parts unset, so that an import keeps them; records of
// only empty fields are skipped.
TEST(RouteFileTest, ShortHeadersLeaveColumnsUnset) {
  const std::vector<RouteRecord> values = Routes(L"Value\n12ab\n,\n 0815 \n", L"did");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].value, L"12AB");
  EXPECT_EQ(values[0].display, std::nullopt);
  EXPECT_EQ(values[0].flags, std::nullopt);
  EXPECT_EQ(values[0].auto_print, std::nullopt);
  EXPECT_FALSE(values[0].has_users);
  EXPECT_EQ(values[1].value, L"0815");
  EXPECT_EQ(values[1].line, 4u);
  const std::vector<RouteRecord> displays = Routes(L"Value,Display\nA,B\n");
  ASSERT_EQ(displays.size(), 1u);
  EXPECT_EQ(displays[0].display, std::optional<std::wstring>(L"B"));
  EXPECT_EQ(displays[0].flags, std::nullopt);
}

// Headers that are missing, misnamed or name half a user pair refuse the file.
TEST(RouteFileTest, BadHeaders) {
  std::vector<RouteRecord> routes;
  FileProblem problem;
  EXPECT_FALSE(ReadRouteRecords({}, L"csid", &routes, &problem));
  EXPECT_EQ(problem.reason, L"the file has no header");
  problem = Refusal(L"Value,Name\nA,B\n");
  EXPECT_EQ(problem.line, 1u);
  EXPECT_EQ(problem.reason, L"header column 2 is \"Name\" where \"Display\" belongs");
  problem = Refusal(L"Value,Display,Flags,Auto-print,User name\n");
  EXPECT_EQ(problem.reason, L"the header names a user column without its pair");
  problem = Refusal(L"Value,Display,Flags,Auto-print,User name,User identity,User name\n");
  EXPECT_EQ(problem.reason, L"the header names a user column without its pair");
  problem = Refusal(L"Value,Display,Flags,Auto-print,User name,User identity,User name,Display\n");
  EXPECT_EQ(problem.reason, L"header column 8 is \"Display\" where \"User identity\" belongs");
  EXPECT_EQ(Routes(L"Value,Display,Flags,Auto-print,User name,User identity,User name,"
                   L"User identity\nA,A,0,,u,{U},v,{V}\n")[0]
                .users.size(),
            2u);
}

// Records that would store something wrong refuse the whole file, with their line.
TEST(RouteFileTest, BadRecords) {
  FileProblem problem = Refusal(L"Value,Display\nA,B,C\n");
  EXPECT_EQ(problem.line, 2u);
  EXPECT_EQ(problem.reason, L"the record has more fields than the header");
  problem = Refusal(L"Value,Display\nA\n  ,B\n");
  EXPECT_EQ(problem.line, 3u);
  EXPECT_EQ(problem.reason, L"\"  \" is no valid csid value");
  problem = Refusal(L"Value\n12\n1-3\n", L"did");
  EXPECT_EQ(problem.line, 3u);
  EXPECT_EQ(problem.reason, L"\"1-3\" is no valid did value");
  problem = Refusal(L"Value\nSales\n\nsales\n");
  EXPECT_EQ(problem.line, 4u);
  EXPECT_EQ(problem.reason, L"the value \"sales\" is given again (first on line 2)");
  problem = Refusal(L"Value\n12ab\n12AB\n", L"did");
  EXPECT_EQ(problem.reason, L"the value \"12AB\" is given again (first on line 2)");
  problem = Refusal(L"Value,Display,Flags\nA,A,-1\n");
  EXPECT_EQ(problem.reason, L"the flags \"-1\" are no 32-bit decimal number");
  problem = Refusal(L"Value,Display,Flags\nA,A,4294967296\n");
  EXPECT_EQ(problem.reason, L"the flags \"4294967296\" are no 32-bit decimal number");
  EXPECT_EQ(Routes(L"Value,Display,Flags\nA,A,4294967295\n")[0].flags,
            std::optional<ULONG>(4294967295u));
  problem = Refusal(L"Value\n" + std::wstring(kMaxRouteTextLength + 1, L'x') + L"\n");
  EXPECT_EQ(problem.line, 2u);
  problem = Refusal(L"Value,Display\nA," + std::wstring(kMaxRouteTextLength + 1, L'x') + L"\n");
  EXPECT_EQ(problem.reason, L"the display text is too long");
}

// Export's text: the header, then every route with all its columns and one pair per user.
TEST(RouteFileTest, FormattedFile) {
  const std::vector<ExportedRoute> routes = {
      {L"+49 40, 1", L"+49 40, 1", 256u, L"7", {{L"Alice", L"{A}"}, {L"Bob \"B\"", L"{B}"}}},
      {L"X", L"X", std::nullopt, L"", {}}};
  EXPECT_EQ(FormatRouteFile(routes),
            L"Value,Display,Flags,Auto-print,User name,User identity\r\n"
            L"\"+49 40, 1\",\"+49 40, 1\",256,7,Alice,{A},\"Bob \"\"B\"\"\",{B}\r\n"
            L"X,X,,\r\n");
}

}  // namespace
}  // namespace pw::routeio
