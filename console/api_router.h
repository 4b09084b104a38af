// ApiRouter: the automation API under /api/v1 — one table of routes, each a small function of
// its resource's file, bound to one or more HTTP servers.
#pragma once

#include <string>
#include <vector>

#include "console/api_call.h"

namespace httplib {
class Server;
}  // namespace httplib

namespace pw::console {

// One route: method, path pattern (a regular expression whose groups are the path's numbers)
// and the function that answers it.
struct ApiRoute {
  const char* method;  // "GET", "POST", "DELETE"
  std::string pattern;
  void (*handler)(ApiCall& call);
};
using ApiRoutes = std::vector<ApiRoute>;

// Each resource adds its routes; defined in console/<resource>_routes.cpp.
void AddConsoleRoutes(ApiRoutes& routes);
void AddScopeRoutes(ApiRoutes& routes);
void AddViewRoutes(ApiRoutes& routes);
void AddWindowRoutes(ApiRoutes& routes);
void AddDocumentRoutes(ApiRoutes& routes);
void AddImageRoutes(ApiRoutes& routes);

// Borrows the context, which must outlive the servers' threads. Handlers run on the HTTP
// threads and reach the console only through its session.
class ApiRouter {
 public:
  explicit ApiRouter(ApiContext context);
  // Adds every route to `server`; may be called for several servers (one per address).
  void Register(httplib::Server& server);

  const ApiRoutes& routes() const { return routes_; }

 private:
  ApiContext context_;
  ApiRoutes routes_;
};

}  // namespace pw::console
